#include "AppFixture.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QSignalSpy>

TEST_F(AppFixture, EveryChoicePersistsBetweenRuns)
{
    open();
    option("Option1(0)")->click();
    option("Option1(2)")->click();
    option("Option2(5)")->click();
    option("Option3(2)")->click();
    option("Option4(3)")->click();
    option("Option5(4)")->click();
    option("Option6(1)")->click();
    action("mnuDscs(0)")->trigger();
    box("MaskEdBox2")->setFocus();
    box("MaskEdBox2")->setText("7");
    auto *combo = find<QComboBox>("Combo1");
    combo->setFocus();
    combo->setEditText("5");
    box("Text22(1)")->setFocus(); // leaving the combo box takes its width
    whenModal<QInputDialog>([](QInputDialog *input) {
        input->setTextValue("9");
        input->accept();
    });
    action("mnuSetDay")->trigger();

    EXPECT_EQ(stored("bolZyw"), "False");
    EXPECT_EQ(stored("bolSq"), "False");
    EXPECT_EQ(stored("bolZuxuan"), "True");
    EXPECT_EQ(stored("intLei"), "2");
    EXPECT_EQ(stored("intXianshiLei"), "3");
    EXPECT_EQ(stored("intConsqSort"), "4");
    EXPECT_EQ(stored("bolZhpm"), "True");
    EXPECT_EQ(stored("DsIni"), "0");
    EXPECT_EQ(stored("intPreQi"), "7");
    EXPECT_EQ(stored("intZhWSetup"), "5");
    EXPECT_EQ(stored("IniSerchDay"), "9");
    close();

    frmMain &w = open();
    EXPECT_TRUE(option("Option1(0)")->isChecked());
    EXPECT_TRUE(option("Option1(2)")->isChecked());
    EXPECT_TRUE(option("Option2(5)")->isChecked());
    EXPECT_TRUE(option("Option3(2)")->isChecked());
    EXPECT_TRUE(option("Option4(3)")->isChecked());
    EXPECT_TRUE(option("Option5(4)")->isChecked());
    EXPECT_TRUE(option("Option6(1)")->isChecked());
    EXPECT_TRUE(action("mnuDscs(0)")->isChecked());
    EXPECT_FALSE(action("mnuDscs(1)")->isChecked());
    EXPECT_EQ(box("MaskEdBox2")->text(), "7");
    EXPECT_EQ(find<QComboBox>("Combo1")->currentText(), "5");
    EXPECT_EQ(w.settings().number(Settings::IniSerchDay), 9);
}

TEST_F(AppFixture, UnreadableStoredValuesCountAsMissing)
{
    setStored("bolZyw", "maybe");
    setStored("intLei", "7");
    setStored("intPreQi", "0");
    setStored("intConsqSort", "x");
    setStored("IniSerchDay", "40");
    setStored("bolSq", "False");
    frmMain &w = open();
    EXPECT_TRUE(option("Option1(1)")->isChecked());
    EXPECT_TRUE(option("Option3(0)")->isChecked());
    EXPECT_EQ(box("MaskEdBox2")->text(), "2");
    EXPECT_TRUE(option("Option5(1)")->isChecked());
    EXPECT_EQ(w.settings().number(Settings::IniSerchDay), 6);
    EXPECT_TRUE(option("Option1(2)")->isChecked()); // a readable value is kept
}

TEST_F(AppFixture, TheNBoxRefusesZeroAndEmpty)
{
    frmMain &w = open();
    QLineEdit *n = box("MaskEdBox2");
    n->setFocus();
    QTest::keyClick(n, Qt::Key_Backspace);
    QTest::keyClick(n, '0');
    EXPECT_TRUE(n->text().isEmpty() || n->text() == "2");
    box("Text22(1)")->setFocus();
    EXPECT_EQ(n->text(), "2");
    EXPECT_EQ(w.settings().number(Settings::intPreQi), 2);
}

TEST_F(AppFixture, RetentionDialogAsksAgainUntilTheAnswerFits)
{
    frmMain &w = open();
    QStringList seen;
    // 1 and 17 and a word are refused with the message; 16 is taken.
    const QStringList answers{"1", "17", "abc", "16"};
    std::function<void(int)> answer = [&](int i) {
        whenModal<QInputDialog>([&, i](QInputDialog *input) {
            EXPECT_EQ(input->windowTitle(), "设置天数");
            input->setTextValue(answers[i]);
            if (i + 1 < answers.size()) {
                whenModal<QMessageBox>([&, i](QMessageBox *box) {
                    seen << box->windowTitle();
                    EXPECT_EQ(box->text(),
                              "为了保证时效性和提高计算效率，软件只能统计16天以内的数据，"
                              "请输入2到16中的自然数。");
                    answer(i + 1);
                    box->accept();
                });
            }
            input->accept();
        });
    };
    answer(0);
    action("mnuSetDay")->trigger();
    EXPECT_EQ(seen, QStringList({"输入有误", "输入有误", "输入有误"}));
    EXPECT_EQ(w.settings().number(Settings::IniSerchDay), 16);
    EXPECT_EQ(stored("IniSerchDay"), "16");

    whenModal<QInputDialog>([](QInputDialog *input) { input->reject(); });
    action("mnuSetDay")->trigger();
    EXPECT_EQ(stored("IniSerchDay"), "16");
}

TEST_F(AppFixture, TheSettingsFileIsTheOneTheReadmeNames)
{
    open();
    option("Option5(3)")->click();
    const QString file = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Tessaryn/Tessaryn.ini";
    EXPECT_EQ(Settings::fileName(), file);
    QSettings written(file, QSettings::IniFormat);
    EXPECT_EQ(written.value("IniSetting/intConsqSort").toString(), "3");

    QFile readme(QStringLiteral(QUORLENT_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    EXPECT_TRUE(readme.readAll().contains("`~/.config/Tessaryn/Tessaryn.ini`"));
}

// A text stored again as the store holds it (the history reopened at each start-up) writes no file;
// one the store holds otherwise, even only with blanks about it, is written.
TEST_F(AppFixture, ATextTheStoreHoldsIsNotWrittenAgain)
{
    {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, "Tessaryn", "Tessaryn");
        store.setValue("IniSetting/txtHistoryFile", "Varnibo.mdb");
        store.setValue("IniSetting/txtUpdateUrl", " http://a ");
    }
    Settings settings;
    ASSERT_TRUE(QFile::remove(Settings::fileName()));
    settings.setHistoryFile("Varnibo.mdb");
    EXPECT_FALSE(QFile::exists(Settings::fileName()));

    settings.setText(Settings::txtUpdateUrl, "http://a");
    QSettings written(Settings::fileName(), QSettings::IniFormat);
    EXPECT_EQ(written.value("IniSetting/txtUpdateUrl").toString(), "http://a");
    settings.setHistoryFile("其他.mdb");
    written.sync();
    EXPECT_EQ(written.value("IniSetting/txtHistoryFile").toString(), "其他.mdb");
}

// Writes a batch holds reach the file together when it ends, others at once; a file changed
// outside the program is read again when a section is.
TEST_F(AppFixture, ABatchWritesTheFileOnceWhenItEnds)
{
    // The name asked once: a store opened meanwhile would write what the batch holds.
    const QString path = Settings::fileName();
    auto fileText = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    Settings settings;
    {
        const Settings::WriteBatch batch(settings);
        settings.set(Settings::DsIni, 0);
        settings.setText(Settings::txtFrom, "20160908001");
        EXPECT_FALSE(fileText().contains("DsIni"));
    }
    EXPECT_TRUE(fileText().contains("DsIni=0"));
    EXPECT_TRUE(fileText().contains("txtFrom=20160908001"));
    settings.set(Settings::IniSerchDay, 9);
    EXPECT_TRUE(fileText().contains("IniSerchDay=9"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[IniSetting]\nIniSerchDay=12\nDsIni=0\n");
    file.close();
    settings.reread(Settings::Section::Main);
    EXPECT_EQ(settings.number(Settings::IniSerchDay), 12);
}

TEST_F(AppFixture, TheWidthListFollowsTheWidthShown)
{
    setStored("intZhWSetup", "4");
    open();
    auto *combo = find<QComboBox>("Combo1");
    EXPECT_EQ(combo->currentText(), "4");
    EXPECT_EQ(combo->currentIndex(), 3);
    QTest::keyClick(combo, Qt::Key_Up); // steps from the width shown
    EXPECT_EQ(combo->currentText(), "3");
    EXPECT_EQ(stored("intZhWSetup"), "3");

    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, "6");
    EXPECT_EQ(combo->currentIndex(), 5);
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, "x");
    box("Text22(1)")->setFocus(); // a word is refused and the width in force shown again
    EXPECT_EQ(combo->currentText(), "3");
    EXPECT_EQ(combo->currentIndex(), 2);
}

TEST_F(AppFixture, EveryChangeOfAChoiceIsAnnouncedOnce)
{
    Settings settings;
    QSignalSpy changed(&settings, &Settings::changed);
    QSignalSpy textChanged(&settings, &Settings::textChanged);
    settings.set(Settings::DsIni, 0);
    settings.set(Settings::DsIni, 0); // the same again: stored, nothing to tell
    EXPECT_FALSE(settings.set(Settings::DsIni, 5));
    settings.setText(Settings::txtUpdateUrl, "http://a");
    settings.setText(Settings::txtUpdateUrl, "http://a");
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<Settings::Key>(), Settings::DsIni);
    ASSERT_EQ(textChanged.size(), 1);
    EXPECT_EQ(textChanged.at(0).at(0).value<Settings::TextKey>(), Settings::txtUpdateUrl);

    // A section read again tells what the store holds now that differs, and only that.
    {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, "Tessaryn", "Tessaryn");
        store.setValue("Zoushi/intWindow", "6");
        store.setValue("Zoushi/bolLines", "False"); // as it was
        store.setValue("Zoushi/txtFrom", "20160908001");
    }
    changed.clear();
    textChanged.clear();
    settings.reread(Settings::Section::Trend);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<Settings::Key>(), Settings::intWindow);
    EXPECT_EQ(settings.number(Settings::intWindow), 6);
    ASSERT_EQ(textChanged.size(), 1);
    EXPECT_EQ(textChanged.at(0).at(0).value<Settings::TextKey>(), Settings::txtFrom);
}
