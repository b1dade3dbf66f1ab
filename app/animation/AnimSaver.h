#pragma once
// AnimSaver: writes the animation's frames — as a numbered BMP series (one file per frame,
// each written whole and renamed into place, with the overwrite question at the first
// existing file), as one looping animated WebP or GIF file or as an MP4 or WebM video —
// and the parameter text file beside them when the option says so. A failure ends the
// save with its message; the files of a series written before it stay, a single file
// that was stopped or failed is not written at all.

#include "anim/VideoFile.h"

#include <cstdint>
#include <functional>
#include <string>

class QWidget;

namespace wavory {

class AnimFrames;
class FileController;
class UserDialogs;
struct AppSettings;
enum class AnimSaveFormat;

class AnimSaver {
  public:
    struct Job {
        AnimSaveFormat format;
        std::string base;        // folder + "/" + base name
        std::int64_t start = 1;  // number of the first frame file
        int digits = 2;          // at least this many, zero-padded
        int frames = 0;          // frames 0 .. frames - 1
        int frameMs = 100;       // display time of a frame in an animated file or video
        int videoQuality = kDefaultVideoQuality; // 1 .. 100
    };

    struct Parts {
        AppSettings& settings;
        FileController& files; // the parameter text file beside the frames
        UserDialogs& dialogs;
    };
    AnimSaver(const Parts& parts, AnimFrames& frames, QWidget* window);

    // progress(k) is called before frame k (from 0) is written; after each file the user
    // interface is served once and goOn() asked, false ending the save after that file.
    void save(const Job& job, const std::function<void(int)>& progress,
              const std::function<bool()>& goOn);

  private:
    // False when the save failed (its message shown): no text file then.
    bool saveSeries(const Job& job, const std::function<void(int)>& progress,
                    const std::function<bool()>& goOn);
    bool saveAnimated(const Job& job, const std::function<void(int)>& progress,
                      const std::function<bool()>& goOn);
    bool saveVideo(const Job& job, const std::function<void(int)>& progress,
                   const std::function<bool()>& goOn);
    // The question before replacing `name`; true for Yes.
    bool overwrite(const std::string& name);
    void fail(const std::string& cause);

    Parts parts_;
    AnimFrames& frames_;
    QWidget* window_;
};

} // namespace wavory
