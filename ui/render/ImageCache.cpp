#include "ui/render/ImageCache.h"

#include "platform/FileIO.h"
#include "platform/Trace.h"
#include "ui/core/Backend.h"

namespace ui {
namespace {

constexpr size_t kMaxImageFileBytes = 32u << 20;

bool IsAbsolute(const std::string& file) {
    return (!file.empty() && (file[0] == '/' || file[0] == '\\')) ||
           (file.size() > 1 && file[1] == ':');
}

}  // namespace

void ImageCache::SetResourcePath(const std::string& folder) {
    resourcePath_ = folder;
    if (!resourcePath_.empty() && resourcePath_.back() != '/' && resourcePath_.back() != '\\')
        resourcePath_ += '/';
}

std::string ImageCache::FullPath(const std::string& file) const {
    return IsAbsolute(file) ? file : resourcePath_ + file;
}

const TImageInfo* ImageCache::GetImage(const std::string& file, const std::string& resType,
                                       Color mask) {
    if (file.empty())
        return nullptr;
    if (auto it = images_.find(file); it != images_.end())
        return &it->second;
    if (failed_.count(file))
        return nullptr;

    std::string path = FullPath(file);
    std::string bytes;
    std::shared_ptr<Image> image;
    if (platform::ReadWholeFile(path, bytes, kMaxImageFileBytes)) {
        if (decoder_)
            image = decoder_(bytes);
        else if (HasBackend())
            image = GetBackend().DecodeImage(bytes);
    }
    if (!image || image->Width() <= 0 || image->Height() <= 0) {
        failed_.insert(file);
        platform::TraceF("ui: image \"%s\" cannot be loaded", path.c_str());
        return nullptr;
    }
    TImageInfo info{std::move(image), 0, 0, resType, mask};
    info.width = info.image->Width();
    info.height = info.image->Height();
    return &images_.emplace(file, std::move(info)).first->second;
}

const TImageInfo* ImageCache::AddImage(const std::string& name, std::shared_ptr<Image> image) {
    if (name.empty() || !image)
        return nullptr;
    failed_.erase(name);
    TImageInfo info{image, image->Width(), image->Height(), "", 0};
    images_[name] = std::move(info);
    return &images_[name];
}

void ImageCache::RemoveImage(const std::string& name) {
    images_.erase(name);
    failed_.erase(name);
}

const TDrawInfo& ImageCache::GetDrawInfo(const std::string& description,
                                         const std::string& modify) {
    std::string key = description;
    key += '\x01';
    key += modify;
    auto& slot = drawInfos_[key];
    if (!slot)
        slot = std::make_unique<TDrawInfo>(ParseImageDescription(description, modify));
    return *slot;
}

void ImageCache::RemoveAll() {
    images_.clear();
    failed_.clear();
    drawInfos_.clear();
}

}  // namespace ui
