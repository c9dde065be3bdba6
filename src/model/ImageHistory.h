#pragma once
#include <cstddef>
#include <functional>
#include <memory>

namespace kv {

// The image's undo history as the model sees it. The action manager of the
// editing layer implements it; the model only owns and sizes it, so the model
// does not depend on editing.
class ImageHistory {
  public:
    virtual ~ImageHistory() = default;
    virtual std::size_t memorySize() const = 0;
};

using ImageHistoryFactory = std::function<std::unique_ptr<ImageHistory>()>;
// Every image created afterwards gets a history from this factory (none when
// no factory is installed). The editing layer installs it at start-up.
void SetImageHistoryFactory(ImageHistoryFactory factory);
std::unique_ptr<ImageHistory> CreateImageHistory();

} // namespace kv
