#include "spots/AgwLink.h"

#include "spots/SpotLines.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString SpottingCaption = QStringLiteral("DX Spotting Setup");
constexpr int ApplicationNameMax = 50;

const QString UnableHead = QStringLiteral(
    "Unable to connect to the AGW Packet Engine.  To use the AGW Packet Engine to send and receive packet with "
    "your soundcard or devices such a Baypac:");

} // namespace

const QString AgwLink::DownloadLine =
    QStringLiteral("- Download the freely available software from https://www.sv2agw.com/ham/agwpe.htm");

QString agwLineEnds(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        if (c == u'\r' || c == u'\n')
            out += CRLF;
        else
            out += c;
    }
    return out;
}

QString agwFrameText(const QString& data, bool connected)
{
    QString text = agwLineEnds(data);
    if (!connected) {
        const qsizetype feed = text.indexOf(u'\n');
        text = trimSpaces(feed < 0 ? text : text.mid(feed + 1));
    }
    if (text == CRLF)
        text.clear();
    else if (text.size() > 4 && text.endsWith(CRLF + CRLF))
        text.chop(2);
    return text;
}

bool agwSpotText(const QString& frameText)
{
    const qsizetype at = frameText.indexOf(QLatin1String("DX"), 0, Qt::CaseInsensitive);
    return at == 0 || at == 1;
}

QString agwSpotLine(const QString& frameText)
{
    const qsizetype start = spotLineStart(upToLineEnd(frameText));
    if (start > 0)
        return frameText.mid(start);
    return agwSpotText(frameText) ? frameText : QString();
}

AgwLink::AgwLink(std::unique_ptr<AgwEngine> engine) : m_engine(std::move(engine))
{
    m_engine->onLost = [this](const QString& message) {
        if (onError)
            onError(message);
    };
}

void AgwLink::configure(const SpotLinkSettings& settings)
{
    m_ownCall = settings.ownCall;
    m_applicationName = settings.applicationName;
}

SpotOpen AgwLink::open() { return StartAgw(m_ownCall, m_applicationName); }

bool AgwLink::isOpen() const { return m_engine->isRegistered(); }

bool AgwLink::sendLine(const QString& text)
{
    if (!isOpen())
        return false;
    SendAgw(text);
    return true;
}

void AgwLink::appendMonitor(const QString& text) const
{
    if (onStatus)
        onStatus(text);
}

void AgwLink::setCaption(const QString& caption) const
{
    if (onCaption)
        onCaption(caption);
}

void AgwLink::beep() const
{
    if (onBeep)
        onBeep();
}

void AgwLink::messageBox(const QString& text, const QString& title) const
{
    if (onMessage)
        onMessage(text, title);
}

SpotOpen AgwLink::StartAgw(const QString& ownCall, const QString& applicationName)
{
    const QString call = trimSpaces(ownCall);
    if (call.isEmpty()) {
        beep();
        messageBox(QStringLiteral("Please enter your call sign on the setup form to transmit!"),
                   QStringLiteral("Call Sign Required!"));
        return SpotOpen::NoCall;
    }
    const QByteArray callBytes = call.toLatin1();
    const QByteArray name = trimSpaces(applicationName.left(ApplicationNameMax)).toLatin1();
    if (m_engine->AGWStartPoll(callBytes, name, int(callBytes.size()), int(name.size())) != 0) {
        appendMonitor(CRLF + QStringLiteral("** Successfully connected to AGW Packet Engine **") + CRLF + CRLF);
        return SpotOpen::Running;
    }
    messageBox(UnableHead + CRLF + CRLF + DownloadLine + CRLF + CRLF
                   + QStringLiteral("- Make sure the AGW Packet Engine software is running and configure it as "
                                    "described on the AGW Packet Engine website."),
               QStringLiteral("Unable to connect to the AGW Packet Engine."));
    appendMonitor(UnableHead + CRLF + CRLF + DownloadLine + CRLF + CRLF
                  + QStringLiteral("- Run the Packet Engine software and configure it as described on the AGW "
                                   "Packet Engine website for your sound card or TNC.")
                  + CRLF + CRLF + QStringLiteral("- Click Open from this program.") + CRLF + CRLF);
    if (onShowWindow)
        onShowWindow();
    return SpotOpen::Refused;
}

void AgwLink::PollAgw()
{
    std::array<char, AgwFromCallField> fromField{};
    std::array<char, AgwDataField> dataField{};
    int kind = 0, length = 0, port = 0;
    if (m_engine->AGWGetData(fromField, dataField, kind, length, port) == 0)
        return;
    // The call is the field's text before its first NUL; a field without one holds none.
    const auto nul = std::find(fromField.begin(), fromField.end(), '\0');
    const QString fromCall =
        nul == fromField.end() ? QString() : QString::fromLatin1(fromField.data(), nul - fromField.begin());
    const QString data = QString::fromLatin1(dataField.data(), std::clamp(length, 0, AgwDataField));

    const bool connected = !AgwConnectedCall.isEmpty();
    const QString frameLine = agwLineEnds(QChar(char16_t(kind & 0xFF)) + fromCall + u' ' + data);
    const QString frameText = agwFrameText(data, connected);

    const bool seen = monitorText && inDuplicateWindow(monitorText(), frameText);
    const QString spotLine = seen ? QString() : agwSpotLine(frameText);
    if (!spotLine.isEmpty()) {
        const SpotLineFields fields = parseSpotLine(spotLine);
        appendMonitor(frameText);
        if (onSpot)
            onSpot(fields.frequency, fields.call, spotLine);
    }
    const bool dxOnly = listDxOnly && listDxOnly();
    if (connected && fromCall.compare(AgwConnectedCall, Qt::CaseInsensitive) == 0 && !dxOnly
        && !frameText.startsWith(QLatin1String("DX")))
        appendMonitor(frameText);
    if (!connected && !dxOnly && !frameLine.contains(QLatin1String("DX "), Qt::CaseInsensitive)
        && !frameText.startsWith(QLatin1String("DX")))
        appendMonitor(frameLine);
    takeConnectionFrame(kind, fromCall);
}

void AgwLink::takeConnectionFrame(int kind, const QString& fromCall)
{
    if (kind == 'd' && !AgwConnectedCall.isEmpty()
        && fromCall.compare(AgwConnectedCall, Qt::CaseInsensitive) == 0) {
        beep();
        beep();
        appendMonitor(CRLF + QStringLiteral("** Disconnected from ") + AgwConnectedCall + QStringLiteral(" **") + CRLF);
        setCaption(SpottingCaption);
        AgwConnectedCall.clear();
    } else if (kind == 'c' && AgwConnectedCall.isEmpty()) {
        AgwConnectedCall = fromCall;
        appendMonitor(QStringLiteral("** Connected to ") + fromCall + QStringLiteral(" **"));
        setCaption(SpottingCaption + QStringLiteral(" - Connected to ") + fromCall);
        beep();
    }
}

void AgwLink::SendAgw(const QString& text)
{
    if (text.startsWith(u':')) {
        const QString letter = text.mid(1, 1).toUpper();
        const QString argument = trimSpaces(text.mid(2));
        if (letter == u'D') {
            if (!AgwConnectedCall.isEmpty())
                m_engine->AGWPutData(AgwConnectedCall.toLatin1(), {}, 'd', 0, 0);
        } else if (letter == u'C') {
            const QByteArray call = argument.toUpper().toLatin1();
            if (call.isEmpty()) {
                messageBox(QStringLiteral("You must enter a call sign to connect to such as :C Vexol"),
                           QStringLiteral("Call sign Required"));
                return;
            }
            m_engine->AGWPutData(call, {}, 'c', 0, 0);
            m_engine->AGWPutData(call, {}, 'P', 0, 0);
        }
        return;
    }
    if (AgwConnectedCall.isEmpty())
        return;
    const QByteArray data = (text + u'\r').toLatin1();
    m_engine->AGWPutData(AgwConnectedCall.toLatin1(), data, 'D', int(data.size()), 0);
}

void AgwLink::closeLink()
{
    disconnectStation();
    m_engine->AGWClose();
}

void AgwLink::disconnectStation()
{
    if (AgwConnectedCall.isEmpty())
        return;
    m_engine->AGWPutData(AgwConnectedCall.toLatin1(), {}, 'd', 0, 0);
    setCaption(SpottingCaption);
    AgwConnectedCall.clear();
}
