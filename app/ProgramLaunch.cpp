#include "ProgramLaunch.h"

#include "drawing/DrawSession.h"
#include "files/FileController.h"
#include "platform/ProgramOptions.h"
#include "ProgramRoot.h"
#include "windows/StartupController.h"

namespace wavory {

bool launch(ProgramRoot& program, const ProgramOptions& options) {
    StartupController& startup = program.startup();
    if (!options.colorSetFile.isEmpty()) {
        // After the first drawing: files are taken while no drawing runs. Once the exit
        // has begun nothing is read any more.
        QObject::connect(
            &startup, &StartupController::startupFinished, &startup,
            [&program, file = options.colorSetFile] {
                if (!program.drawSession().isClosed())
                    program.fileController().handleDroppedFiles({file});
            },
            Qt::SingleShotConnection);
    }
    return startup.load(options.commandLine);
}

} // namespace wavory
