#pragma once

#include <QString>

// The web page the main window's link opens, and the site name it shows. Chosen when the
// editor is built (CMake cache variables TARNEK_SITE_URL and TARNEK_SITE_NAME).
QString SiteAddress();
QString SiteName();
