#include "app/AppState.h"
#include "app/TfrmMain.h"
#include "platform/Fonts.h"
#include "platform/WidgetServices.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    zendra::PrepareFontCache();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zendra"));
    QApplication::setApplicationDisplayName(zendra::kApplicationTitle);
    zendra::InstallFontSubstitutions();

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
