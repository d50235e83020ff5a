#include "windows/ProgramIcons.h"

#include "ui/shell/IconResources.h"

namespace windows {

void RegisterProgramIcons() {
    ui::RegisterIconResource(kProgramIconId, kProgramIconFile);
    ui::RegisterIconResource(kSkinFrameIconId, kProgramIconFile);
}

}  // namespace windows
