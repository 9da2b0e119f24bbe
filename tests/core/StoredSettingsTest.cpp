#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>

#include "core/OperationError.h"
#include "core/numbers/NumberText.h"
#include "core/settings/StoredSettings.h"
#include "core/trafficgraph/TrafficGraph.h"
#include "tests/fakes/RecordingView.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"

namespace pulsewell {
namespace {

class StoredSettingsTest : public ::testing::Test {
  protected:
    StoredSettingsTest() { graph.SetUp(); }

    QString StorePath() const {
        return home.ConfigFolder() + QStringLiteral("/Tarnwick/Pulsewell.conf");
    }
    QSettings Store() const { return {StorePath(), QSettings::IniFormat}; }
    void Store(const QString& name, const QVariant& value) { Store().setValue(name, value); }
    const TUtilizationBars& Utilization() const { return graph.Bars(); }
    void Load() { LoadStoredSettings(view, graph, state); }

    test::TempHome home;
    test::RecordingView view;
    TrafficGraph graph;
    TMonitorState state;
};

TEST_F(StoredSettingsTest, FirstStartWritesEveryDefaultButKeepsTheGraphSetUp) {
    state.ContinueWithZeroes = false;
    state.ShowBytes = true;
    Load();

    QSettings store = Store();
    const QStringList expected = {"highvalue=70",
                                  "highvaluecolor=clred",
                                  "lowvalue=20",
                                  "lowvaluecolor=clLime",
                                  "normalvaluecolor=clYellow",
                                  "onerrors=continue",
                                  "show=bits"};
    QStringList stored;
    for (const QString& key : store.allKeys()) {
        stored.append(key + u'=' + store.value(key).toString());
    }
    stored.sort();
    EXPECT_EQ(stored, expected);
    EXPECT_TRUE(view.errors.isEmpty());
    EXPECT_EQ(Utilization().HighThreshold, 70);
    EXPECT_EQ(Utilization().LowThreshold, 30);
    EXPECT_TRUE(state.ContinueWithZeroes);
    EXPECT_TRUE(state.ShowBytes);  // the unit stays as it was until one is stored
}

TEST_F(StoredSettingsTest, StoredValuesApplyAndUnknownWordsChangeNothing) {
    Store(QStringLiteral("highvalue"), QStringLiteral("$5A"));
    Store(QStringLiteral("lowvalue"), QStringLiteral("-5"));
    Store(QStringLiteral("show"), QStringLiteral("bytes"));
    Store(QStringLiteral("onerrors"), QStringLiteral("stop"));
    Load();
    EXPECT_EQ(Utilization().HighThreshold, 90);
    EXPECT_EQ(Utilization().LowThreshold, -5);
    EXPECT_TRUE(state.ShowBytes);
    EXPECT_FALSE(state.ContinueWithZeroes);

    // Compared with regard to case: these are left as they are, in the store too.
    Store(QStringLiteral("show"), QStringLiteral("Bits"));
    Store(QStringLiteral("onerrors"), QStringLiteral("Continue"));
    Load();
    EXPECT_TRUE(state.ShowBytes);
    EXPECT_FALSE(state.ContinueWithZeroes);
    EXPECT_EQ(Store().value(QStringLiteral("show")).toString(), QStringLiteral("Bits"));
    EXPECT_TRUE(view.errors.isEmpty());
}

TEST_F(StoredSettingsTest, SnmpVersionIsReadButNeverWritten) {
    Store(QStringLiteral("snmpversion"), QStringLiteral("2c"));
    Load();
    EXPECT_EQ(state.Device.Version, SnmpVersion::V2c);
    Store(QStringLiteral("snmpversion"), QStringLiteral("V3"));
    Load();
    EXPECT_EQ(state.Device.Version, SnmpVersion::V3);
    Store().remove(QStringLiteral("snmpversion"));
    Load();
    EXPECT_EQ(state.Device.Version, SnmpVersion::V1);
    EXPECT_FALSE(Store().contains(QStringLiteral("snmpversion")));
    EXPECT_TRUE(view.errors.isEmpty());
}

// A hand-edited value that names nothing is reported, with the file; its
// setting stays as it was and the store keeps the text.
TEST_F(StoredSettingsTest, SnmpValuesThatNameNothingAreReported) {
    const char* cases[][3] = {
        {"snmpversion", "4", "1, 2c or 3"},
        {"snmpv3level", "authPrivacy", "noAuthNoPriv, authNoPriv or authPriv"},
        {"snmpv3privprotocol", "AES-512", "DES, AES, AES-192, AES-256, AES-192-C or AES-256-C"}};
    for (const auto& [name, value, expected] : cases) {
        view.errors.clear();
        Store(name, value);
        Load();
        EXPECT_EQ(view.errors,
                  QStringList(QStringLiteral("'%1' is no valid value for '%2' in %3 (%4)")
                                  .arg(value, name, StorePath(), expected)));
        EXPECT_EQ(std::pair(state.Device.Security, state.Device.Version),
                  std::pair(SnmpV3Security(), SnmpVersion::V1));
        EXPECT_EQ(Store().value(name).toString(), value);
        Store().remove(name);
    }
}

TEST_F(StoredSettingsTest, BadEntryIsReportedAndTheRestStillApplies) {
    Store(QStringLiteral("highvalue"), QStringLiteral("seventy"));
    Store(QStringLiteral("lowvalue"), QStringList{QStringLiteral("1"), QStringLiteral("2")});
    Store(QStringLiteral("show"), QStringLiteral("bytes"));
    Load();
    EXPECT_EQ(view.errors,
              QStringList({"'seventy' is no valid value for 'highvalue' in " + StorePath() +
                               " (a whole number, or \"$\" and hexadecimal digits)",
                           QStringLiteral("Ungültiger Datentyp für 'lowvalue'")}));
    EXPECT_TRUE(state.ShowBytes);
    EXPECT_EQ(Utilization().HighThreshold, 70);
    // Nothing the user stored is replaced.
    EXPECT_EQ(Store().value(QStringLiteral("highvalue")).toString(), QStringLiteral("seventy"));
    EXPECT_EQ(Store().value(QStringLiteral("onerrors")).toString(), QStringLiteral("continue"));
}

TEST_F(StoredSettingsTest, UnwritableStoreIsReportedOnceAndItsDefaultsStillApply) {
    // A file where the store's folder should be: not even root can write there.
    QFile blocker(home.ConfigFolder() + QStringLiteral("/Tarnwick"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    state.ContinueWithZeroes = false;
    state.ShowBytes = true;
    Load();
    EXPECT_EQ(view.errors, QStringList("Fehler beim Setzen der Daten für 'highvalue': " +
                                       StorePath() + " (Not a directory)"));
    EXPECT_TRUE(state.ContinueWithZeroes);
    EXPECT_TRUE(state.ShowBytes);
}

TEST_F(StoredSettingsTest, FileQtCannotParseIsReadButNeverRewritten) {
    QDir().mkpath(home.ConfigFolder() + QStringLiteral("/Tarnwick"));
    QFile file(StorePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray content = "[General]\nshow=bytes\nonerrors=stop\n\"unclosed=1\n";
    file.write(content);
    file.close();
    Load();
    EXPECT_EQ(view.errors, QStringList("Fehler beim Setzen der Daten für 'highvalue': " +
                                       StorePath() + " (not a valid INI file, left as it is)"));
    EXPECT_TRUE(state.ShowBytes);
    EXPECT_FALSE(state.ContinueWithZeroes);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), content);
}

TEST(StoredIntegerTest, DecimalOrDollarHexadecimal) {
    EXPECT_EQ(ParseStoredInt32(QStringLiteral("70")), 70);
    EXPECT_EQ(ParseStoredInt32(QStringLiteral("+7")), 7);
    EXPECT_EQ(ParseStoredInt32(QStringLiteral("$1f")), 31);
    EXPECT_EQ(ParseStoredInt32(QStringLiteral("-$10")), -16);
    EXPECT_EQ(ParseStoredInt32(QStringLiteral("$FFFFFFFF")), -1);
    for (const char* bad : {"", "$", "$100000000", "$0x1", "$ 1", "1$", "$-1", "0x1F", "7a"}) {
        EXPECT_THROW(ParseStoredInt32(QString::fromLatin1(bad)), ConversionError) << bad;
    }
}

}  // namespace
}  // namespace pulsewell
