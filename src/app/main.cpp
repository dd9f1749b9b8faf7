#include "app/startup.hpp"

int main(int argc, char** argv) {
    return velmora::run_program(argc, argv);
}
