#pragma once
// The Layer menu and the layers panel's buttons, on the current image. Each
// change is an undoable action; Next Up and Next Down only choose the
// current layer.
namespace kv {

class CommandHost;
class LayerBase;

class LayerCommands {
  public:
    explicit LayerCommands(CommandHost& host) : m_host(host) {}

    // New layer, Delete, Merge All.
    bool hasImage() const;
    // An image small enough for supersampling.
    bool canNewSupersampledLayer() const;
    // Duplicate, Next Up, Next Down, Bring to Front, Send to Back.
    bool hasCurrentLayer() const;
    bool canMergeDown() const;
    bool canProperties() const;
    bool canMoveForward() const;
    bool canMoveBackward() const;
    bool canNextUp() const { return canMoveForward(); }
    bool canNextDown() const { return canMoveBackward(); }

    bool newLayer();
    // Beeps on an image too large for supersampling.
    bool newSupersampledLayer();
    bool duplicate();
    bool deleteLayer();
    bool mergeDown();
    bool mergeAll();
    bool properties();
    bool nextUp();
    bool nextDown();
    bool bringToFront();
    bool moveForward();
    bool moveBackward();
    bool sendToBack();

  private:
    bool addLayer(bool supersampled);
    bool moveAbove(int targetId);
    bool select(LayerBase* layer);

    CommandHost& m_host;
};

} // namespace kv
