#pragma once
// One offscreen Qt realisation for the whole test binary (Qt allows one application).
#include "ui/qt/QtBackend.h"

namespace qt_test {
ui::qt::QtBackend& Backend();
}
