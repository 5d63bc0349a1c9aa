#include "app/WebAddress.h"

QString SiteAddress()
{
    return QStringLiteral(TARNEK_SITE_URL);
}

QString SiteName()
{
    return QStringLiteral(TARNEK_SITE_NAME);
}
