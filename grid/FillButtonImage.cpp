#include "FillButtonImage.h"

#include <QPushButton>

// Resources compiled into a static library are registered by hand, once.
static void InitImages()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(tarnek);
        return true;
    }();
    (void)done;
}

QIcon FillButtonIcon()
{
    InitImages();
    return QIcon(QStringLiteral(":/tarnek/fill.xpm"));
}

void SetFillButtonImage(QPushButton* button)
{
    button->setIcon(FillButtonIcon());
    button->setIconSize(QSize(16, 16));
    button->setFlat(true);
    button->setText(QString());
}

QIcon ApplicationIcon()
{
    InitImages();
    QIcon icon;
    icon.addFile(QStringLiteral(":/tarnek/tarnek16.xpm"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/tarnek/tarnek32.xpm"), QSize(32, 32));
    return icon;
}
