// Where the batch results go: the two option buttons, the folder box and its "..." picker, kept in the settings.
#include "folders/Paths.h"
#include "platform/NativeSeparator.h"
#include "ui/Settings.h"
#include "windows/batch/BatchWindow.h"
#include "windows/batch/BatchWindowLabels.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace quillora {

void BatchWindow::restoreDestinationOptions(ErrorReport& report)
{
    SettingsStore& settings = services_.settings;
    // Setting the text is a change, so the value is stored again under "Text5".
    report.step(110, [&] {
        destinationFolder_->setText(GetSetting(settings, settingkeys::destinationFolder, GetDesktopFolder()));
    });
    report.step(112, [&] {
        resultsToFolder_->setChecked(settingAsBoolean(GetSetting(settings, settingkeys::resultsToFolder)));
    });
    report.step(
        114, [&] { resultsInPlace_->setChecked(settingAsBoolean(GetSetting(settings, settingkeys::resultsInPlace))); });
    // Stored values that select neither button would leave the results without a chosen place: the chosen
    // folder is the safe one, as on a first opening.
    report.step(116, [&] {
        if (!resultsToFolder_->isChecked() && !resultsInPlace_->isChecked())
            resultsToFolder_->setChecked(true);
    });
    report.step(118, [&] { destinationFrame_->setEnabled(resultsToFolder_->isChecked()); });
}

void BatchWindow::storeOptionsAndEnableDestination()
{
    SaveSettingQuietly(services_.settings, settingkeys::resultsToFolder, booleanSetting(resultsToFolder_->isChecked()));
    SaveSettingQuietly(services_.settings, settingkeys::resultsInPlace, booleanSetting(resultsInPlace_->isChecked()));
    destinationFrame_->setEnabled(resultsToFolder_->isChecked());
}

void BatchWindow::resultsToFolderClicked()
{
    storeOptionsAndEnableDestination();
}

void BatchWindow::resultsInPlaceClicked()
{
    storeOptionsAndEnableDestination();
}

void BatchWindow::destinationFolderChanged()
{
    SaveSettingQuietly(services_.settings, settingkeys::destinationFolder, destinationFolder_->text());
}

void BatchWindow::browseForDestination()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(batchlabels::browseForDestination));
    QString last;
    QString chosen;
    report.step(100, [&] { last = GetSetting(services_.settings, settingkeys::lastDestinationFolder); });
    report.step(102, [&] {
        chosen = services_.dialogs.browseForFolder({this, QStringLiteral("Please select folder:"), last});
    });
    if (chosen.isEmpty())
        return;
    report.step(104, [&] { SaveSetting(services_.settings, settingkeys::lastDestinationFolder, chosen); });
    report.step(106, [&] {
        destinationFolder_->setText(chosen.endsWith(nativeSeparator()) ? chosen : chosen + nativeSeparator());
    });
}

} // namespace quillora
