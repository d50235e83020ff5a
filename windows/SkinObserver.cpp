#include "windows/SkinObserver.h"

namespace windows {

SkinObserver& ProgramSkinObserver() {
    // Never destroyed: receivers may still unregister while the program ends.
    static SkinObserver* observer = new SkinObserver();
    return *observer;
}

}  // namespace windows
