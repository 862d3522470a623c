#pragma once

#include <QWidget>

namespace tavrel {

// Dialog control ids: the number a window knows each of its controls by
// (1004 is the map's placeholder). A control carries its id as a property.
void SetControlId(QWidget* control, int id);
int ControlId(const QWidget* control);

// The direct child with that id, or nullptr.
QWidget* FindControl(const QWidget* parent, int id);

}  // namespace tavrel
