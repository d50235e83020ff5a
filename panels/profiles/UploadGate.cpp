#include "panels/profiles/UploadGate.h"

namespace panels {
namespace {
int g_uploadsInProgress = 0;
}  // namespace

UploadGate::Scope::Scope() {
    ++g_uploadsInProgress;
}

UploadGate::Scope::~Scope() {
    --g_uploadsInProgress;
}

bool UploadGate::Busy() {
    return g_uploadsInProgress > 0;
}

}  // namespace panels
