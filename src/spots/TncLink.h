#pragma once

// The packet TNC on a serial port as a spot source. The TNC sends plain text lines ended
// by CR LF, LF or CR alone; the typed lines go out ended by CR. The session reads the port
// on its 333 ms tick, the text is cut into lines (TncLineAssembler), and each complete line
// is handed on.
// One character, given as two hexadecimal digits ("03", Ctrl+C), puts the TNC into its
// command mode.

#include "platform/SerialPort.h"
#include "spots/SpotLines.h"
#include "spots/SpotSource.h"

#include <QString>
#include <memory>
#include <optional>

// "9600,N,8,1": the baud without trailing blanks, then parity, data bits and stop bits.
QString tncSettingsText(const TncSerialOptions& options);

// The character that two hexadecimal digits name ("03", "1B"); nothing for an empty or
// non-hexadecimal text.
std::optional<char> tncCommandCharacter(const QString& hexDigits);

class TncLink final : public SpotSource {
public:
    explicit TncLink(std::unique_ptr<SerialPort> port);

    void setOptions(const TncSerialOptions& options) { m_options = options; }
    void configure(const SpotLinkSettings& settings) override { setOptions(settings.tnc); }

    // Opens the port with the options: both lines down, the handshaking (RTS raised before
    // the opening for the RTS choices), the power line raised only once the port is open.
    // Announces "** TNC Serial Port Open **" when it opened.
    SpotOpen open() override;
    void close() override;
    bool isOpen() const override;
    // The text and a CR.
    bool sendLine(const QString& text) override;
    // Reads what waits at the port and hands on every complete line.
    void poll() override;

    // The TNC's command character; false when the port is closed or the text names none.
    bool sendCommandCharacter(const QString& hexDigits) override;

    SerialPort& port() { return *m_port; }
    // The text waiting for its line end; kept across closing and opening the port.
    const QString& TncReceiveBuffer() const { return m_lines.buffer(); }

private:
    std::unique_ptr<SerialPort> m_port;
    TncSerialOptions m_options;
    TncLineAssembler m_lines;
};
