#pragma once
// The Image menu and the project panel's buttons: the image list (new,
// delete, previous, next, move up and down, outside the undo history) and
// the undoable changes of the current image (properties, crop, flips and
// rotations). Import and export are in ImportExportCommands.
#include "model/ImageTransform.h"

namespace kv {

class CommandHost;
class Image;

class ImageCommands {
  public:
    explicit ImageCommands(CommandHost& host) : m_host(host) {}

    bool canNewImage() const;
    // Delete, Properties, the flips and rotations.
    bool hasImage() const;
    // An active selection that is not empty.
    bool canCrop() const;
    bool canPrevious() const;
    bool canNext() const;
    bool canMoveUp() const { return canPrevious(); }
    bool canMoveDown() const { return canNext(); }

    bool newImage();
    // Asks first: this cannot be undone.
    bool deleteImage();
    bool properties();
    bool cropToSelection();
    bool previous();
    bool next();
    bool moveUp();
    bool moveDown();
    bool reorient(Orientation orientation);
    bool flipHorizontal() { return reorient(Orientation::FlipHorizontal); }
    bool flipVertical() { return reorient(Orientation::FlipVertical); }
    bool rotateClockwise() { return reorient(Orientation::RotateClockwise); }
    bool rotate180() { return reorient(Orientation::Rotate180); }
    bool rotateCounterClockwise() { return reorient(Orientation::RotateCounterClockwise); }

  private:
    bool makeCurrent(Image* image);

    CommandHost& m_host;
};

} // namespace kv
