#include "CommandTestSupport.h"

#include "commands/image/LayerCommands.h"

namespace kv::test {
namespace {

class LayerCommandsTest : public CommandTest {
  protected:
    LayerCommands commands{host};

    // An image with layers named A (bottom), B, C; B current.
    void openThreeLayers() {
        openProject(MakeProject(1, 8, 6));
        image().bottomLayer()->setName("A");
        for (const char* name : {"B", "C"})
            image().insertLayer(std::make_unique<Layer>())->setName(name);
        select("B");
    }
    void select(const std::string& name) {
        for (std::int32_t i = 1; i <= image().layerCount(); ++i)
            if (image().layerAt(static_cast<std::uint32_t>(i))->name() == name)
                image().setCurrentLayer(image().layerAt(static_cast<std::uint32_t>(i)));
        CommitSnapshots(image());
    }
    std::string stack() const {
        std::string names;
        for (std::int32_t i = 1; i <= image().layerCount(); ++i)
            names += image().layerAt(static_cast<std::uint32_t>(i))->displayName() + " ";
        return names + "| " +
               (image().currentLayer() ? image().currentLayer()->displayName() : "-");
    }
};

TEST_F(LayerCommandsTest, MovesAndSelectionAtEveryPosition) {
    struct Case {
        const char* current;
        bool (LayerCommands::*command)();
        bool done;
        const char* after;
        const char* label;
    } cases[] = {
        {"B", &LayerCommands::bringToFront, true, "A C B | B", "Move Layer"},
        {"B", &LayerCommands::moveForward, true, "A C B | B", "Move Layer"},
        {"B", &LayerCommands::moveBackward, true, "B A C | B", "Move Layer"},
        {"A", &LayerCommands::moveBackward, false, "A B C | A", ""},
        {"C", &LayerCommands::sendToBack, true, "C A B | C", "Move Layer"},
        {"B", &LayerCommands::nextUp, true, "A B C | C", ""},
        {"B", &LayerCommands::nextDown, true, "A B C | A", ""},
        {"B", &LayerCommands::mergeDown, true, "A C | A", "Merge Layers"},
        {"B", &LayerCommands::mergeAll, true, "Layer 1 | Layer 1", "Merge All Layers"},
        {"B", &LayerCommands::duplicate, true, "A B Layer 4 C | B", "Duplicate Layer"},
        {"B", &LayerCommands::deleteLayer, true, "A C | A", "Delete Layer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.current) + " -> " + c.after);
        openThreeLayers();
        select(c.current);
        EXPECT_EQ((commands.*c.command)(), c.done);
        EXPECT_EQ(stack(), c.after);
        EXPECT_EQ(UndoLabel(image()), c.label);
        EXPECT_EQ(host.refreshes[RefreshScope::Everything] > 0, c.done);
        host.refreshes.clear();
    }
}

TEST_F(LayerCommandsTest, ConditionsWithoutImageOrLayer) {
    EXPECT_FALSE(commands.newLayer());
    openProject(MakeProject(1));
    image().setCurrentLayer(nullptr);
    for (auto command :
         {&LayerCommands::duplicate, &LayerCommands::bringToFront, &LayerCommands::sendToBack,
          &LayerCommands::properties, &LayerCommands::nextUp, &LayerCommands::deleteLayer})
        EXPECT_FALSE((commands.*command)());
    EXPECT_TRUE(commands.newLayer()) << "on top when there is no current layer";
    EXPECT_EQ(image().topLayer(), image().currentLayer());
}

TEST_F(LayerCommandsTest, SupersampledLayersWithinTheLimitOnly) {
    for (const std::int32_t w : {316, 317}) {
        openProject(MakeProject(1, w, 316));
        EXPECT_EQ(commands.newSupersampledLayer(), w == 316) << w << " x 316";
    }
    Settings().unsignedSetting("Limits.Supersampling.MaxPixelCount").setValue(100172);
    EXPECT_TRUE(commands.newSupersampledLayer()) << "the limit is the setting's";
}

} // namespace
} // namespace kv::test
