#include "rig/RigTypes.h"

#include "rig/IcomDriver.h"
#include "rig/KenwoodDriver.h"
#include "rig/RigText.h"
#include "rig/TenTecDriver.h"
#include "rig/YaesuDriver.h"

#include <QDir>
#include <functional>

using namespace rigframes;

namespace {

class SilentDriver : public RigDriver {
public:
    std::optional<QByteArray> pollRequest(const RigRequests&, quint8&) const override { return QByteArray(); }
    bool decode(const QByteArray&, const RigRequests&, quint8, RigReport&) const override { return false; }
    std::optional<QByteArray> frequencyCommand(float, const RigRequests&, const RigReport&) const override
    {
        return std::nullopt;
    }
    std::optional<QByteArray> modeCommand(const QString&, const RigRequests&) const override { return std::nullopt; }
};

// The operator's own requests, as typed or as the bytes of their hex pairs.
class OtherDriver final : public SilentDriver {
public:
    RigTypeDefaults defaults() const override
    {
        RigTypeDefaults d;
        d.hexChoice = true;
        return d;
    }
    // Whatever comes back is shown raw: any bytes are an answer.
    bool decode(const QByteArray& reply, const RigRequests&, quint8, RigReport&) const override
    {
        return !reply.isEmpty();
    }
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8&) const override
    {
        if (!r.convertToHex)
            return bothAsTyped(r);
        QByteArray bytes;
        for (const QString& request : {r.frequency, r.mode}) {
            if (request.isEmpty())
                continue;
            const auto framed = hexPairsToBytes(request);
            if (!framed)
                return std::nullopt;
            bytes += *framed;
        }
        return bytes;
    }
};

struct RigType {
    const char* name;
    std::function<std::unique_ptr<RigDriver>(const RigDriverOptions&)> driver;
};

// The rig list in its order, each entry with its driver.
const std::vector<RigType>& rigTypeTable()
{
    const auto without = [](std::unique_ptr<RigDriver> (*make)()) {
        return [make](const RigDriverOptions&) { return make(); };
    };
    const auto yaesu = [](YaesuModel model) {
        return [model](const RigDriverOptions&) { return yaesuDriver(model); };
    };
    static const std::vector<RigType> table = {
        {"None", [](const RigDriverOptions&) { return std::make_unique<SilentDriver>(); }},
        {"Elecraft", without(elecraftDriver)},
        {"Icom", without(icomDriver)},
        {"Icom 735", without(icom735Driver)},
        {"Kenwood", without(kenwoodDriver)},
        {"Kenwood 2", without(kenwoodIfDriver)},
        {"Ten Tec Omni VI", without(omniViDriver)},
        {"Ten Tec Orion", without(orionDriver)},
        {"Ten Tec Fnt Pnl", without(tenTecPanelDriver)},
        {"Ten Tec Pegasus",
         [](const RigDriverOptions& options) {
             return pegasusDriver(options.exchangeFolder.isEmpty() ? QDir::homePath() + QStringLiteral("/Pegasus")
                                                                   : options.exchangeFolder);
         }},
        {"Yaesu", yaesu(YaesuModel::Newer)},
        {"Yaesu 757 GX II", yaesu(YaesuModel::Ft757GxII)},
        {"Yaesu 890", yaesu(YaesuModel::Ft890)},
        {"Yaesu 920", yaesu(YaesuModel::Ft920)},
        {"Yaesu 990", yaesu(YaesuModel::Ft990)},
        {"Yaesu 1000 D", yaesu(YaesuModel::Ft990)},
        {"Yaesu 1000", yaesu(YaesuModel::Ft1000)},
        {"Yaesu FTdx9000", without(ftdx9000Driver)},
        {"Other", [](const RigDriverOptions&) { return std::make_unique<OtherDriver>(); }},
    };
    return table;
}

} // namespace

const QStringList& rigTypes()
{
    static const QStringList names = [] {
        QStringList list;
        for (const RigType& type : rigTypeTable())
            list << QString::fromLatin1(type.name);
        return list;
    }();
    return names;
}

std::unique_ptr<RigDriver> rigDriverFor(const QString& rigName, const RigDriverOptions& options)
{
    for (const RigType& type : rigTypeTable())
        if (rigName == QLatin1String(type.name))
            return type.driver(options);
    if (rigName.startsWith(QLatin1String("Yaesu")))
        return unlistedYaesuDriver();
    return std::make_unique<SilentDriver>();
}
