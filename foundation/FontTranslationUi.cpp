#include "foundation/FontTranslationUi.h"

#include <QWidget>

void TranslateFormFonts(QWidget *window)
{
    if (!window || !FontTranslationActive())
        return;
    // The window first, so that controls following their parent's font take the new one.
    QFont font = window->font();
    if (TranslateFont(font))
        window->setFont(font);
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (!control->testAttribute(Qt::WA_SetFont))
            continue; // follows its parent
        QFont own = control->font();
        if (TranslateFont(own))
            control->setFont(own);
    }
}
