// Long random sessions of every edit action kind, made the way commands and
// tools make them. Undoing the whole history must give back every earlier
// state bit for bit, and redoing it every later one.
#include "editing/ActionTestSupport.h"

#include "editing/actions/ActionSupport.h"
#include "editing/actions/DeleteLayerAction.h"
#include "editing/actions/DuplicateLayerAction.h"
#include "editing/actions/ImageBoundsAction.h"
#include "editing/actions/ImagePropertiesAction.h"
#include "editing/actions/LayerPropertiesAction.h"
#include "editing/actions/MergeLayersAction.h"
#include "editing/actions/ModifyLayerAction.h"
#include "editing/actions/ModifySelectionAction.h"
#include "editing/actions/MoveLayerAction.h"
#include "editing/actions/NewLayerAction.h"
#include "editing/actions/PasteAction.h"
#include "editing/actions/ReorientImageAction.h"
#include "editing/actions/ShiftAction.h"
#include "editing/history/ActionRegistry.h"
#include "editing/records/LayerSnapshot.h"
#include "editing/records/SelectionSnapshot.h"
#include "editing/records/SnapshotRedraw.h"

#include <gtest/gtest.h>

namespace kv {
namespace {
using namespace test;

class Session {
  public:
    Session(std::uint32_t seed) : m_rng(seed) {
        m_image = MakeImage(pick(3, 9), pick(3, 9), RandomPixel(m_rng));
        const int extra = pick(0, 2);
        for (int i = 0; i < extra; ++i)
            perform(std::make_unique<NewLayerAction>(*m_image));
        m_manager().clear();
        m_states.push_back(StateOf(*m_image));
    }

    void step() {
        // Strokes come up twice as often as each other kind.
        using Step = bool (Session::*)();
        static constexpr Step kSteps[] = {
            &Session::stroke,         &Session::stroke,          &Session::editSelection,
            &Session::pasteIntoLayer, &Session::shift,           &Session::pasteAsLayer,
            &Session::newLayer,       &Session::duplicateLayer,  &Session::deleteLayer,
            &Session::moveLayer,      &Session::merge,           &Session::layerProperties,
            &Session::bounds,         &Session::imageProperties, &Session::reorient,
            &Session::switchLayer};
        if ((this->*kSteps[pick(0, 15)])()) m_states.push_back(StateOf(*m_image));
    }

    void undoAndRedoEverything() {
        const std::size_t n = m_states.size() - 1;
        ASSERT_EQ(static_cast<std::size_t>(m_manager().count()), n);
        for (std::size_t k = n; k > 0; --k)
            ASSERT_NO_FATAL_FAILURE(expectState(m_manager().undo(*m_image), k - 1, "undo"));
        EXPECT_FALSE(m_manager().canUndo());
        for (std::size_t k = 1; k <= n; ++k)
            ASSERT_NO_FATAL_FAILURE(expectState(m_manager().redo(*m_image), k, "redo"));
    }

    std::size_t recordedCount() const { return m_states.size() - 1; }

  private:
    void expectState(bool done, std::size_t k, const char* how) {
        ASSERT_TRUE(done) << how << " to state " << k;
        const ImageState now = StateOf(*m_image);
        ASSERT_TRUE(now == m_states[k])
            << how << " to state " << k << ": " << Difference(now, m_states[k]);
    }
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool coin() { return pick(0, 1) == 1; }
    ActionManager& m_manager() { return ManagerOf(*m_image); }
    Layer* current() { return static_cast<Layer*>(m_image->currentLayer()); }
    std::int32_t randomLayerId() {
        const int n = m_image->layerCount();
        if (n == 0 || pick(0, 5) == 0) return -1;
        return static_cast<std::int32_t>(
            m_image->layerAt(static_cast<std::uint32_t>(pick(1, n)))->id());
    }
    Rect randomRect(std::int32_t w, std::int32_t h, std::int32_t margin = 0) {
        const std::int32_t l = pick(-margin, w - 1), t = pick(-margin, h - 1);
        return {l, t, pick(l + 1, w + margin), pick(t + 1, h + margin)};
    }

    // Command protocol: a failing action must leave everything as it was.
    bool perform(std::unique_ptr<Action> action) {
        const ImageState before = StateOf(*m_image);
        std::unique_ptr<Action> owned = std::move(action);
        if (m_manager().perform(m_image.get(), owned)) return true;
        EXPECT_TRUE(StateOf(*m_image) == before)
            << "failed " << owned->label() << " changed the image";
        return false;
    }

    // Stroke protocol: change the model, capture, record, commit.
    bool record(std::unique_ptr<Action> action) {
        m_manager().record(std::move(action));
        CommitSnapshots(*m_image);
        return true;
    }

    void paint(Layer& layer, const Rect& rect) {
        FillRandom(layer.editablePixels(), rect, m_rng);
        const Rect changed = DetailToImageRect(rect, layer.supersamplingFactor());
        layer.refreshFromDetail(&changed);
        m_image->update(changed);
    }

    // The selection follows the image only after the change was captured,
    // so that the difference is taken at the level the snapshot has.
    void setMask(const Rect& rect, std::uint8_t value) {
        Selection& selection = *m_image->selection();
        selection.editableMask().fillRect(rect, value);
        selection.refreshFromDetail(nullptr);
        selection.setActive(!selection.empty());
    }
    void followIfEmpty() {
        if (m_image->selection()->empty()) m_image->selection()->followImage(*m_image);
    }

    // A stroke, or a paste into the layer that also replaces the selection.
    bool modifyLayer(bool pasting) {
        Layer* layer = current();
        if (!layer) return false;
        EnsureSnapshots(*m_image);
        auto action = std::make_unique<ModifyLayerAction>(*m_image);
        const PixelArray& e = layer->editablePixels();
        const Rect rect = randomRect(e.width(), e.height());
        paint(*layer, rect);
        if (pasting) {
            const MaskArray& mask = m_image->selection()->editableMask();
            setMask(mask.bounds(), 0);
            setMask(randomRect(mask.width(), mask.height()), 255);
        }
        EXPECT_TRUE(action->captureLayerChange(*m_image, rect));
        if (pasting) {
            EXPECT_TRUE(action->captureSelectionChange(*m_image));
            followIfEmpty();
        }
        return record(std::move(action));
    }
    bool stroke() { return modifyLayer(false); }
    bool pasteIntoLayer() { return modifyLayer(true); }

    bool editSelection() {
        EnsureSnapshots(*m_image);
        auto action = std::make_unique<ModifySelectionAction>(*m_image);
        action->selectLayerOnUndo = coin();
        const MaskArray& mask = m_image->selection()->editableMask();
        const int how = pick(0, 3);
        if (how == 0)
            setMask(mask.bounds(), 0); // deselect
        else if (how == 1)
            setMask(mask.bounds(), 255); // select all
        else
            setMask(randomRect(mask.width(), mask.height()),
                    static_cast<std::uint8_t>(pick(0, 255)));
        EXPECT_TRUE(action->captureChange(*m_image));
        followIfEmpty();
        return record(std::move(action));
    }

    bool shift() {
        Layer* layer = current();
        if (!layer) return false;
        EnsureSnapshots(*m_image);
        auto action = std::make_unique<ShiftAction>(*m_image);
        const std::int32_t unit = layer->supersampled() ? 32 : 256;
        const Point d{pick(-3, 3) * unit, pick(-3, 3) * unit};
        const bool active = m_image->selection()->active();
        LayerSnapshot::instance().setOffset(d);
        if (active) SelectionSnapshot::instance().setOffset(d);
        EXPECT_TRUE(RedrawLayerFromSnapshot(*layer, active));
        EXPECT_TRUE(!active || RedrawSelectionFromSnapshot(*m_image->selection()));
        m_image->update();
        action->offset = d;
        return record(std::move(action));
    }

    bool pasteAsLayer() {
        auto action = std::make_unique<PasteAction>(*m_image);
        const int level = coin() ? 3 : 0;
        LayerSnapshot& picture = LayerSnapshot::instance();
        EXPECT_TRUE(picture.prepare(pick(1, 6), pick(1, 6), level));
        FillRandom(picture.pixels(), picture.pixels().bounds(), m_rng);
        const std::int32_t unit = level ? 32 : 256;
        picture.setOffset({pick(-2, m_image->width()) * unit, pick(-2, m_image->height()) * unit});
        EXPECT_TRUE(action->takePastedPicture());
        return perform(std::move(action));
    }

    bool duplicateLayer() { return perform(std::make_unique<DuplicateLayerAction>(*m_image)); }
    bool deleteLayer() { return perform(std::make_unique<DeleteLayerAction>(*m_image)); }

    bool newLayer() {
        auto action = std::make_unique<NewLayerAction>(*m_image);
        action->supersampled = pick(0, 3) == 0;
        return perform(std::move(action));
    }

    bool moveLayer() {
        auto action = std::make_unique<MoveLayerAction>(*m_image);
        action->targetId = randomLayerId();
        return perform(std::move(action));
    }

    bool merge() {
        auto action = std::make_unique<MergeLayersAction>(*m_image);
        if (coin()) {
            action->mergeAll = true;
            action->resultName.clear();
        }
        return perform(std::move(action));
    }

    bool layerProperties() {
        auto action = std::make_unique<LayerPropertiesAction>(*m_image);
        LayerPropertiesAction::Values& v = action->newValues;
        const int what = pick(0, 4); // 4: unchanged, nothing may be recorded
        if (what == 0) v.name = "Layer " + std::to_string(pick(0, 9));
        if (what == 1) v.visible = !v.visible;
        if (what == 2) v.opacity = static_cast<float>(pick(0, 10)) / 10.0f;
        if (what == 3) v.supersampled = !v.supersampled;
        return perform(std::move(action));
    }

    bool bounds() {
        auto action = std::make_unique<ImageBoundsAction>(*m_image);
        action->bounds = coin() ? m_image->selection()->levelZeroBounds()
                                : randomRect(m_image->width(), m_image->height(), 3);
        return perform(std::move(action));
    }

    bool imageProperties() {
        auto action = std::make_unique<ImagePropertiesAction>(*m_image);
        ImagePropertiesAction::Values& v = action->newValues;
        static constexpr TargetFormat kFormats[] = {TargetFormat::Rgba32, TargetFormat::Rgb24,
                                                    TargetFormat::Palette8, TargetFormat::Palette4,
                                                    TargetFormat::Mono};
        const int what = pick(0, 5); // 5: unchanged
        if (what == 0) {
            v.width = pick(2, 9);
            v.height = pick(2, 9);
        }
        if (what == 1) v.horizontalResolution = 1000.0f * static_cast<float>(pick(1, 3));
        if (what == 2) v.targetFormat = kFormats[pick(0, 4)];
        if (what == 3) {
            v.storedOption = coin();
            v.forExport = coin();
        }
        if (what == 4) {
            action->setPaletteLocked = true;
            v.paletteLocked = coin();
        }
        return perform(std::move(action));
    }

    bool reorient() {
        auto action = std::make_unique<ReorientImageAction>(*m_image);
        action->code = pick(1, 5);
        return perform(std::move(action));
    }

    bool switchLayer() { // not an edit: nothing is recorded
        const std::int32_t id = randomLayerId();
        m_image->setCurrentLayer(id < 0 ? nullptr
                                        : m_image->findLayer(static_cast<std::uint32_t>(id)));
        CommitSnapshots(*m_image);
        return false;
    }

    std::mt19937 m_rng;
    std::unique_ptr<Image> m_image;
    std::vector<ImageState> m_states;
};

class RandomEditSessions : public ::testing::TestWithParam<std::uint32_t> {
  protected:
    void SetUp() override {
        m_saved = ActionRegistry::instance().limits();
        ActionRegistry::instance().setLimits({1, 1 << 20, 1 << 12});
    }
    void TearDown() override { ActionRegistry::instance().setLimits(m_saved); }

  private:
    UndoLimits m_saved;
};

TEST_P(RandomEditSessions, UndoAllRestoresEveryEarlierStateAndRedoAllEveryLaterOne) {
    Session session(GetParam());
    for (int i = 0; i < 150; ++i) {
        session.step();
        if (::testing::Test::HasFailure()) FAIL() << "at step " << i;
    }
    EXPECT_GT(session.recordedCount(), 80u);
    session.undoAndRedoEverything();
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEditSessions, ::testing::Range(1u, 17u));

} // namespace
} // namespace kv
