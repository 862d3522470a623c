#pragma once

#include <QSize>

namespace tavrel {

// The room a maximised window's client area gets on the primary screen (the
// screen less panels and docks); an invalid size when there is no screen.
QSize FullScreenClientSize();

}  // namespace tavrel
