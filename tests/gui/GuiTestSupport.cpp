#include "GuiTestSupport.h"

#include <gtest/gtest.h>

namespace kv::test {
namespace {

KorvaneApplication* g_app = nullptr;

class ApplicationEnvironment : public ::testing::Environment {
  public:
    void TearDown() override {
        delete g_app;
        g_app = nullptr;
    }
};

const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace

KorvaneApplication& App() {
    static int argc = 1;
    static char name[] = "korvane-test";
    static char* argv[] = {name, nullptr};
    if (!g_app) g_app = new KorvaneApplication(argc, argv);
    return *g_app;
}

} // namespace kv::test
