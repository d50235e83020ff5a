#pragma once
// Decoded images by file name and parsed image descriptions by description string, so that
// painting never reads or parses a file twice. One cache serves one paint manager (or is
// shared); everything runs on the window thread.
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "ui/core/RenderTarget.h"
#include "ui/render/ImageDescription.h"

namespace ui {

struct TImageInfo {
    std::shared_ptr<Image> image;
    int width = 0;
    int height = 0;
    std::string resType;
    Color mask = 0;
};

// Turns file bytes into an image; nullptr when they are no image.
using ImageDecoder = std::function<std::shared_ptr<Image>(const std::string& bytes)>;

class ImageCache {
  public:
    // Without a decoder the realisation in use (GetBackend) decodes.
    ImageCache() = default;
    explicit ImageCache(ImageDecoder decoder) : decoder_(std::move(decoder)) {}

    // Folder that relative file names are looked up in ("" : the working folder).
    void SetResourcePath(const std::string& folder);
    const std::string& GetResourcePath() const { return resourcePath_; }

    // The image, loaded on first use; nullptr (traced once) when missing or undecodable.
    // Absolute names (leading "/" or a drive "X:") are read as they stand.
    const TImageInfo* GetImage(const std::string& file, const std::string& resType = "",
                               Color mask = 0);
    // Registers an image made by code under a name descriptions can use.
    const TImageInfo* AddImage(const std::string& name, std::shared_ptr<Image> image);
    void RemoveImage(const std::string& name);

    // The parsed description; the reference stays valid until RemoveAll.
    const TDrawInfo& GetDrawInfo(const std::string& description, const std::string& modify = "");

    void RemoveAll();
    size_t ImageCount() const { return images_.size(); }

    std::string FullPath(const std::string& file) const;

  private:
    ImageDecoder decoder_;
    std::string resourcePath_;
    std::unordered_map<std::string, TImageInfo> images_;
    std::unordered_set<std::string> failed_;
    std::unordered_map<std::string, std::unique_ptr<TDrawInfo>> drawInfos_;
};

}  // namespace ui
