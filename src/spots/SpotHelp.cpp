#include "spots/SpotHelp.h"

#include "spots/SpotLinkKind.h"

#include <QStringList>
#include <algorithm>
#include <vector>

namespace {

const QString CrLf2 = QStringLiteral("\r\n\r\n");

} // namespace

QString spotHelpText(const SpotLinkKind* choice)
{
    const QStringList closing = {
        QStringLiteral("When you have configured your DX spotting options, click Open to initiate the communication.  "
                       "Then click Done to return to the main form."),
        QStringLiteral("If the list is being displayed on the main form, you can click on it to quickly return to this "
                       "form.  To return the main form to the original display, select None from the spotting options."),
    };
    const QStringList hardware = {
        QStringLiteral("This code was developed and tested with a Kantronics KPC3+ TNC.  I look forward to hearing "
                       "about your experiences with different hardware."),
    };
    if (!choice)
        return {};
    QStringList sections = choice->help;
    if (!choice->links) {
        // The overview: every link kind's paragraphs after the general ones.
        std::vector<const SpotLinkKind*> links;
        for (const SpotLinkKind& kind : spotLinkKinds()) {
            if (kind.links)
                links.push_back(&kind);
        }
        std::ranges::stable_sort(links, {}, &SpotLinkKind::overviewPlace);
        for (const SpotLinkKind* kind : links)
            sections << kind->help;
    }
    sections << closing;
    if (choice->hardwareNote)
        sections << hardware;
    QString text;
    for (const QString& paragraph : sections)
        text += paragraph + CrLf2;
    return text;
}
