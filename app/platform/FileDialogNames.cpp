#include "FileDialogNames.h"

#include "FileDialogs.h"
#include "QtText.h"
#include "Resources.h"

#include "common/PathText.h"
#include "common/ProgramFolder.h"
#include "io/AppSettings.h"

namespace wavory {

QString RememberedFileNames::name(Dialog which) {
    // Start-up sets the names from the stored folders; a window that did not run start-up
    // (tests) takes the same defaults on first use.
    switch (which) {
    case Dialog::Image:
        if (names_.image.isEmpty())
            names_.image = toQ(settings_.picture.path) + Ui::tr(kUntitledName);
        return names_.image;
    case Dialog::Text:
        if (names_.text.isEmpty())
            names_.text = toQ(settings_.picture.txtPath) + Ui::tr(kUntitledName);
        return names_.text;
    case Dialog::ColorSet: {
        // Without a stored folder: the "colorset" folder of the program folder.
        const QString programSets = toQ(programFolder()) + QStringLiteral("colorset/");
        if (names_.colorSet.isEmpty())
            names_.colorSet = settings_.picture.cSetPath.empty() ? programSets + QLatin1Char('*')
                                                                 : toQ(settings_.picture.cSetPath);
        // A new "colorset" folder there starts with the shipped sample sets.
        if (toQ(folderPart(toStd(names_.colorSet))) == programSets)
            provideColorSetFolder(programSets, resourceFolder_());
        return names_.colorSet;
    }
    }
    return {};
}

void RememberedFileNames::setName(Dialog which, const QString& fileName) {
    const std::string folder = folderPart(toStd(fileName));
    switch (which) {
    case Dialog::Image:
        names_.image = fileName;
        settings_.picture.path = folder;
        break;
    case Dialog::Text:
        names_.text = fileName;
        settings_.picture.txtPath = folder;
        break;
    case Dialog::ColorSet:
        names_.colorSet = fileName;
        settings_.picture.cSetPath = folder;
        break;
    }
}

} // namespace wavory
