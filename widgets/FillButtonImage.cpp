#include "widgets/FillButtonImage.h"

#include <QPushButton>

#include "widgets/ImageResources.h"

QIcon FillButtonIcon()
{
    RegisterImageResources();
    return QIcon(QStringLiteral(":/tarnek/fill.xpm"));
}

void SetFillButtonImage(QPushButton* button)
{
    button->setIcon(FillButtonIcon());
    button->setIconSize(QSize(16, 16));
    button->setFlat(true);
    button->setText(QString());
}
