#include "app/DpiRule.h"

namespace app {

int DpiForScreen(int width, int height) {
    return (width > 1500 && height > 960) ? 144 : 96;
}

bool IsAcceptedDpi(int dpi) {
    return dpi >= 48 && dpi <= 192 && dpi % 24 == 0;
}

}  // namespace app
