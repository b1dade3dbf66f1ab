#include "ProgramLaunch.h"

#include "DrawSession.h"
#include "FileController.h"
#include "ProgramOptions.h"
#include "frmMain.h"

namespace wavory {

bool launch(frmMain& main, const ProgramOptions& options) {
    if (!options.colorSetFile.isEmpty()) {
        // After the first drawing: files are taken while no drawing runs. Once the exit
        // has begun nothing is read any more.
        QObject::connect(
            &main, &frmMain::startupFinished, &main,
            [&main, file = options.colorSetFile] {
                if (!main.drawSession().isClosed())
                    main.fileController().handleDroppedFiles({file});
            },
            Qt::SingleShotConnection);
    }
    return main.Form_Load(options.commandLine);
}

} // namespace wavory
