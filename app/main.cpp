#include "app/CTarnekChangeLevelApp.h"
#include "app/ExitWhenShown.h"

int main(int argc, char** argv)
{
    CTarnekChangeLevelApp app(argc, argv);
    ExitWhenShownIfAsked(app);
    return app.InitInstance();
}
