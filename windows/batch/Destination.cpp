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
    report.step(loadsteps::destinationFolder, [&] {
        destinationFolder_->setText(GetSetting(settings, settingkeys::destinationFolder, GetDesktopFolder()));
    });
    report.step(loadsteps::resultsToFolder, [&] {
        resultsToFolder_->setChecked(settingAsBoolean(GetSetting(settings, settingkeys::resultsToFolder)));
    });
    report.step(loadsteps::resultsInPlace, [&] {
        resultsInPlace_->setChecked(settingAsBoolean(GetSetting(settings, settingkeys::resultsInPlace)));
    });
    // Stored values that select neither button would leave the results without a chosen place: the chosen
    // folder is the safe one, as on a first opening.
    report.step(loadsteps::oneOptionChosen, [&] {
        if (!resultsToFolder_->isChecked() && !resultsInPlace_->isChecked())
            resultsToFolder_->setChecked(true);
    });
    report.step(loadsteps::destinationEnabled, [&] { destinationFrame_->setEnabled(resultsToFolder_->isChecked()); });
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
    report.step(browsesteps::lastFolder,
                [&] { last = GetSetting(services_.settings, settingkeys::lastDestinationFolder); });
    report.step(browsesteps::chooseFolder, [&] {
        chosen = services_.dialogs.browseForFolder({this, QStringLiteral("Please select folder:"), last});
    });
    if (chosen.isEmpty())
        return;
    report.step(browsesteps::saveLastFolder,
                [&] { SaveSetting(services_.settings, settingkeys::lastDestinationFolder, chosen); });
    report.step(browsesteps::showFolder, [&] {
        destinationFolder_->setText(chosen.endsWith(nativeSeparator()) ? chosen : chosen + nativeSeparator());
    });
}

} // namespace quillora
