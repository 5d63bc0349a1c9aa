#include "widgets/ApplicationIcon.h"

#include "widgets/ImageResources.h"

QIcon ApplicationIcon()
{
    RegisterImageResources();
    QIcon icon;
    icon.addFile(QStringLiteral(":/tarnek/tarnek16.xpm"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/tarnek/tarnek32.xpm"), QSize(32, 32));
    return icon;
}
