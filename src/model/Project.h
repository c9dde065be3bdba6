#pragma once
#include "model/Image.h"

#include <memory>
#include <string>
#include <vector>

namespace kv {

// The open document: an ordered list of images, one of them current.
class Project {
  public:
    Project() = default;
    ~Project();
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    std::int32_t imageCount() const { return static_cast<std::int32_t>(m_images.size()); }
    Image* firstImage() const { return m_images.empty() ? nullptr : m_images.front().get(); }
    Image* lastImage() const { return m_images.empty() ? nullptr : m_images.back().get(); }
    Image* currentImage() const { return m_currentImage; }
    // 1-based; null outside 1..count.
    Image* imageAt(std::uint32_t position) const;
    Image* findImage(std::uint32_t id) const;
    bool modified() const { return m_modified; }
    const std::string& name() const { return m_name; }
    const std::string& path() const { return m_path; }

    // Appends at the end and assigns an id when 0; the current image stays.
    Image* addImage(std::unique_ptr<Image> image);
    // Relinks the image directly before `before` (at the end when null).
    void moveImage(Image* image, Image* before);
    // Unlinks the image and hands it back (null if it is not one of ours).
    std::unique_ptr<Image> removeImage(Image* image);
    void deleteAllImages();
    // Switching away discards the old image's palette lookup.
    void setCurrentImage(Image* image);
    void setName(std::string name) { m_name = std::move(name); }
    void setPath(std::string path) { m_path = std::move(path); }

    bool hasUnsavedChanges() const;
    void markSaved();
    void markModified() { m_modified = true; }
    std::size_t memorySize() const;

  private:
    friend class Image;
    // Called by a dying image that is still in the project.
    void detachImage(Image* image);
    std::size_t indexOf(const Image* image) const;
    void renumberImages();

    std::vector<std::unique_ptr<Image>> m_images;
    Image* m_currentImage = nullptr;
    bool m_modified = false;
    std::string m_name = "UNTITLED";
    std::string m_path;
};

// The project the program has open, or null. Setting a new one destroys the old.
Project* CurrentProject();
void SetCurrentProject(std::unique_ptr<Project> project);

} // namespace kv
