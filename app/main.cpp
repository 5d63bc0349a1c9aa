#include "CTarnekChangeLevelApp.h"

int main(int argc, char** argv)
{
    CTarnekChangeLevelApp app(argc, argv);
    return app.InitInstance();
}
