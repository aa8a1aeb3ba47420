#include "services/app_identity.h"

#include "text/string_ids.h"
#include "text/strings.h"
#include "services/qt_text.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstdlib>
#include <string_view>

// Resources compiled into a static library must be registered by hand.
static void initResources()
{
    Q_INIT_RESOURCE(zembra);
}

namespace zembra {

namespace {
constexpr const char* kOrganisation = "Vantor";
}

void SetUpApplicationIdentity()
{
    initResources();
    setLanguage(languageFromLocaleName(QLocale::system().name().toStdString(), std::getenv("ZEMBRA_LANG")));
    QCoreApplication::setOrganizationName(QString::fromLatin1(kOrganisation));
    const std::string_view title = text(str::kAppTitle);
    QCoreApplication::setApplicationName(Utf8(title));
    QCoreApplication::setApplicationVersion(ProgramVersion());
}

QString ProgramVersion()
{
    return QStringLiteral(ZEMBRA_VERSION);
}

QString ProductName()
{
    return TextOf(str::kProductName);
}

} // namespace zembra
