#include "controlid.h"

#include <QVariant>

namespace tavrel {

namespace {
constexpr const char* kControlIdProperty = "controlId";
}

void SetControlId(QWidget* control, int id) {
    control->setProperty(kControlIdProperty, id);
}

int ControlId(const QWidget* control) {
    const QVariant id = control->property(kControlIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

QWidget* FindControl(const QWidget* parent, int id) {
    const auto children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (ControlId(child) == id) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace tavrel
