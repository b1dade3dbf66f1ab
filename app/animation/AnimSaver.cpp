#include "AnimSaver.h"

#include "AnimFrames.h"
#include "platform/QtText.h"
#include "platform/UserDialogs.h"
#include "AnimationWindow.h"
#include "files/FileController.h"

#include "anim/AnimatedFile.h"
#include "anim/FrameFileWriting.h"
#include "anim/FrameSeriesNames.h"
#include "anim/VideoFile.h"
#include "common/PathText.h"
#include "io/AtomicFile.h"
#include "io/BmpWriter.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace wavory {

namespace {

std::string missingFrameCause(int index) {
    return toStd(Ui::tr("フレーム %1 は作成されていません。").arg(index + 1));
}

// A name whose folder does not exist is a bad file name; anything else says what the
// system says.
std::string writeFailureCause(const std::error_code& ec) {
    if (ec == std::errc::no_such_file_or_directory)
        return UiText::tr(kBadFrameFileNameCause);
    return systemErrorText(ec);
}

} // namespace

AnimSaver::AnimSaver(const Parts& parts, AnimFrames& frames, QWidget* window)
    : parts_(parts), frames_(frames), window_(window) {}

void AnimSaver::save(const Job& job, const std::function<void(int)>& progress,
                     const std::function<bool()>& goOn) {
    if (!hasNoWildcards(job.base)) {
        fail(UiText::tr(kBadFrameFileNameCause));
        return;
    }
    bool written = false;
    if (job.format == AnimSaveFormat::BmpSeries)
        written = saveSeries(job, progress, goOn);
    else if (isVideoFormat(job.format))
        written = saveVideo(job, progress, goOn);
    else
        written = saveAnimated(job, progress, goOn);
    // Also after No and after a stop; not after a failure.
    if (written && parts_.settings.option.textOnGrp)
        parts_.files.outputText(toQ(job.base + ".txt"));
}

bool AnimSaver::saveSeries(const Job& job, const std::function<void(int)>& progress,
                           const std::function<bool()>& goOn) {
    bool overwriteAll = false;
    Canvas frame;
    for (int k = 0; k < job.frames; ++k) {
        progress(k);
        const std::string name = frameFileName(job.base, job.start + k, job.digits);
        if (!overwriteAll && QFileInfo::exists(toQ(name))) {
            if (!overwrite(name))
                return true; // the files written so far stay
            overwriteAll = true;
        }
        if (!frames_.frame(k, frame)) {
            fail(missingFrameCause(k));
            return false;
        }
        if (const std::error_code ec = writeBmp(name, frame)) {
            const auto nameOf = [&](int i) {
                return frameFileName(job.base, job.start + i, job.digits);
            };
            parts_.dialogs.report(window_, frameSeriesFailure(writeFailureCause(ec),
                                                               k > 0 ? nameOf(0) : std::string(),
                                                               nameOf(k - 1), name));
            return false;
        }
        QCoreApplication::processEvents();
        if (!goOn())
            break;
    }
    return true;
}

bool AnimSaver::saveAnimated(const Job& job, const std::function<void(int)>& progress,
                             const std::function<bool()>& goOn) {
    AnimatedFileJob file;
    file.format = job.format == AnimSaveFormat::Gif ? AnimatedFormat::Gif : AnimatedFormat::WebP;
    file.path = job.base + (file.format == AnimatedFormat::Gif ? ".gif" : ".webp");
    file.frames = job.frames;
    file.frameMs = job.frameMs;
    if (!isCombiningMode(frames_.mode())) {
        Canvas first;
        if (frames_.frame(0, first) &&
            !parts_.dialogs.report(window_, checkAnimatedFileFits(file.format, first, job.frames)))
            return false;
    }
    progress(0);
    if (QFileInfo::exists(toQ(file.path)) && !overwrite(file.path))
        return true;
    const AnimatedWriteResult written = writeAnimatedFile(
        file, [this](int k, Canvas& frame) { return frames_.frame(k, frame); },
        [&](int k) {
            progress(k);
            QCoreApplication::processEvents();
            return goOn();
        });
    return parts_.dialogs.report(window_, written.result);
}

bool AnimSaver::saveVideo(const Job& job, const std::function<void(int)>& progress,
                          const std::function<bool()>& goOn) {
    VideoJob video;
    video.format = job.format == AnimSaveFormat::Mp4 ? VideoFormat::Mp4 : VideoFormat::WebM;
    video.path = job.base + (video.format == VideoFormat::Mp4 ? ".mp4" : ".webm");
    video.frames = job.frames;
    video.frameTime = {job.frameMs, 1000};
    video.quality = job.videoQuality;
    progress(0);
    if (QFileInfo::exists(toQ(video.path)) && !overwrite(video.path))
        return true;
    VideoWriter writer(video);
    Canvas frame;
    for (int k = 0; k < job.frames; ++k) {
        progress(k);
        QCoreApplication::processEvents();
        if (!goOn())
            return true; // the writer leaves nothing behind
        if (!frames_.frame(k, frame)) {
            fail(missingFrameCause(k));
            return false;
        }
        if (!parts_.dialogs.report(window_, writer.add(frame)))
            return false;
    }
    return parts_.dialogs.report(window_, writer.finish());
}

bool AnimSaver::overwrite(const std::string& name) {
    const QString question = Ui::tr("%1\r\nはすでに存在します。\r\nこのファイルと以降全てのファイル"
                                    "について、上書き保存しますか？")
                                 .arg(toQ(name));
    return parts_.dialogs.confirmDestructive(window_, question, MessageButtons::YesNo);
}

void AnimSaver::fail(const std::string& cause) {
    parts_.dialogs.report(window_, frameSaveFailure(cause));
}

} // namespace wavory
