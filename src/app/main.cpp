#include "app/Startup.h"

int main(int argc, char** argv) {
    return kv::RunKorvane(argc, argv);
}
