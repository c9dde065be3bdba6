#include "model/Project.h"

#include "model/IdAssignment.h"

namespace kv {

Project::~Project() {
    deleteAllImages();
}

Image* Project::imageAt(std::uint32_t position) const {
    return position >= 1 && position <= m_images.size() ? m_images[position - 1].get() : nullptr;
}

Image* Project::findImage(std::uint32_t id) const {
    for (const auto& image : m_images)
        if (image->id() == id) return image.get();
    return nullptr;
}

std::size_t Project::indexOf(const Image* image) const {
    for (std::size_t i = 0; i < m_images.size(); ++i)
        if (m_images[i].get() == image) return i;
    return m_images.size();
}

void Project::renumberImages() {
    for (std::size_t i = 0; i < m_images.size(); ++i)
        m_images[i]->m_position = static_cast<std::uint32_t>(i + 1);
}

Image* Project::addImage(std::unique_ptr<Image> image) {
    if (!image) return nullptr;
    Image* raw = image.get();
    if (raw->m_id == 0) {
        std::vector<std::uint32_t> ids;
        for (const auto& other : m_images)
            ids.push_back(other->m_id);
        raw->m_id = NextFreeId(std::move(ids));
    }
    raw->m_owner = this;
    m_images.push_back(std::move(image));
    renumberImages();
    m_modified = true;
    return raw;
}

void Project::moveImage(Image* image, Image* before) {
    const std::size_t from = indexOf(image);
    if (from == m_images.size() || image == before) return;
    std::unique_ptr<Image> owned = std::move(m_images[from]);
    m_images.erase(m_images.begin() + static_cast<std::ptrdiff_t>(from));
    const std::size_t to = before ? std::min(indexOf(before), m_images.size()) : m_images.size();
    m_images.insert(m_images.begin() + static_cast<std::ptrdiff_t>(to), std::move(owned));
    renumberImages();
    m_modified = true;
}

std::unique_ptr<Image> Project::removeImage(Image* image) {
    const std::size_t at = indexOf(image);
    if (at == m_images.size()) return nullptr;
    if (m_currentImage == image) m_currentImage = nullptr;
    std::unique_ptr<Image> owned = std::move(m_images[at]);
    m_images.erase(m_images.begin() + static_cast<std::ptrdiff_t>(at));
    renumberImages();
    owned->m_owner = nullptr;
    owned->m_position = 0;
    m_modified = true;
    return owned;
}

void Project::detachImage(Image* image) {
    const std::size_t at = indexOf(image);
    if (at == m_images.size()) return;
    if (m_currentImage == image) m_currentImage = nullptr;
    (void)m_images[at].release(); // the image is already being destroyed
    m_images.erase(m_images.begin() + static_cast<std::ptrdiff_t>(at));
    renumberImages();
}

void Project::deleteAllImages() {
    m_currentImage = nullptr;
    while (!m_images.empty()) {
        std::unique_ptr<Image> image = std::move(m_images.back());
        m_images.pop_back();
        image->m_owner = nullptr;
    }
}

void Project::setCurrentImage(Image* image) {
    if (image == m_currentImage) return;
    // Only the current image previews continuously; the others give up the
    // memory of their lookup until they are shown again.
    if (m_currentImage && m_currentImage->palette()) m_currentImage->palette()->discardLookup();
    m_currentImage = image;
}

bool Project::hasUnsavedChanges() const {
    if (m_modified) return true;
    for (const auto& image : m_images)
        if (image->modified()) return true;
    return false;
}

void Project::markSaved() {
    m_modified = false;
    for (const auto& image : m_images)
        image->clearModified();
}

std::size_t Project::memorySize() const {
    std::size_t size = 124;
    for (const auto& image : m_images)
        size += image->memorySize();
    return size;
}

namespace {
std::unique_ptr<Project>& CurrentProjectSlot() {
    static std::unique_ptr<Project> project;
    return project;
}
} // namespace

Project* CurrentProject() {
    return CurrentProjectSlot().get();
}

void SetCurrentProject(std::unique_ptr<Project> project) {
    CurrentProjectSlot() = std::move(project);
}

} // namespace kv
