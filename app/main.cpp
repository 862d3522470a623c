#include "application.h"

int main(int argc, char** argv) {
    tavrel::Application application(argc, argv);
    return application.Run();
}
