#include "app/AppState.h"
#include "app/QtTranslation.h"
#include "app/TfrmMain.h"
#include "platform/Fonts.h"
#include "platform/WidgetServices.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zendra"));
    QApplication::setApplicationDisplayName(zendra::kApplicationTitle);
    zendra::InstallFontSubstitutions();
    // A teacher and a learner read Japanese on Qt's own buttons and dialogs too.
    zendra::InstallQtTranslation(app);

    zendra::WidgetMessages messages;
    zendra::WidgetFileDialogs dialogs;
    zendra::Messages::install(&messages);
    zendra::FileDialogs::install(&dialogs);

    zendra::TfrmMain main;
    main.show();
    if (!main.FormShow())
        return 1;
    return app.exec();
}
