#pragma once

namespace kv {

class Image;

// Called at the start of every edit: the snapshots are taken again only when
// they no longer fit the image's current layer and selection (offset, size,
// level); otherwise the copies that the last commit refreshed serve as they
// are. False when memory runs out.
bool EnsureSnapshots(const Image& image);

// Called after an edit has been recorded: both snapshots are refreshed from
// the image. On failure the user sees "Commit failed" and the edit stays done.
bool CommitSnapshots(const Image& image);

// Commits the snapshots when the scope ends, also when an exception leaves it.
class SnapshotCommit {
  public:
    explicit SnapshotCommit(const Image& image) : m_image(image) {}
    ~SnapshotCommit() { CommitSnapshots(m_image); }
    SnapshotCommit(const SnapshotCommit&) = delete;
    SnapshotCommit& operator=(const SnapshotCommit&) = delete;

  private:
    const Image& m_image;
};

} // namespace kv
