// Where the batch results go: the two option buttons, the folder box and its "..." picker, kept in the settings.
#include "platform/NativeSeparator.h"
#include "shell/Paths.h"
#include "shell/Settings.h"
#include "windows/batch/Form3.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace quillora {

void Form3::restoreDestinationOptions(ErrorReport& report)
{
    SettingsStore& settings = services_.settings;
    // Setting the text is a change, so the value is stored again under "Text5".
    report.step(110, [&] { Text5->setText(GetSetting(settings, QStringLiteral("Text5"), GetDesktopFolder())); });
    report.step(112, [&] {
        Option1->setChecked(settingAsBoolean(GetSetting(settings, QStringLiteral("Option1"), QStringLiteral("1"))));
    });
    report.step(114, [&] {
        Option2->setChecked(settingAsBoolean(GetSetting(settings, QStringLiteral("Option2"), QStringLiteral("0"))));
    });
    // Stored values that select neither button would leave the results without a chosen place: the chosen
    // folder is the safe one, as on a first opening.
    report.step(116, [&] {
        if (!Option1->isChecked() && !Option2->isChecked())
            Option1->setChecked(true);
    });
    report.step(118, [&] { Frame4->setEnabled(Option1->isChecked()); });
}

void Form3::storeOptionsAndEnableFrame4()
{
    SaveSettingQuietly(services_.settings, QStringLiteral("Option1"), booleanSetting(Option1->isChecked()));
    SaveSettingQuietly(services_.settings, QStringLiteral("Option2"), booleanSetting(Option2->isChecked()));
    Frame4->setEnabled(Option1->isChecked());
}

void Form3::Option1_Click()
{
    storeOptionsAndEnableFrame4();
}

void Form3::Option2_Click()
{
    storeOptionsAndEnableFrame4();
}

void Form3::Text5_Change()
{
    SaveSettingQuietly(services_.settings, QStringLiteral("Text5"), Text5->text());
}

void Form3::PushButton15_Click()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(QStringLiteral("Form3.PushButton15_Click")));
    QString last;
    QString chosen;
    report.step(100, [&] { last = GetSetting(services_.settings, QStringLiteral("LastFolderDot"), QString()); });
    report.step(102, [&] {
        chosen = services_.dialogs.browseForFolder({this, QStringLiteral("Please select folder:"), last});
    });
    if (chosen.isEmpty())
        return;
    report.step(104, [&] { SaveSetting(services_.settings, QStringLiteral("LastFolderDot"), chosen); });
    report.step(106, [&] { Text5->setText(chosen.endsWith(nativeSeparator()) ? chosen : chosen + nativeSeparator()); });
}

} // namespace quillora
