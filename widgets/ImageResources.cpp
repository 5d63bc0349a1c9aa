#include "widgets/ImageResources.h"

#include <QtGlobal>

void RegisterImageResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(tarnek);
        return true;
    }();
    (void)done;
}
