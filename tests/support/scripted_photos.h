// A photo service for tests: the real reader, and a crop dialog that is
// never shown but answers from a script and remembers what it was given.
#pragma once

#include "fotoklipdlg.h"

#include <QString>

#include <functional>
#include <vector>

struct ScriptedPhotos final : PhotoService {
    std::vector<QString> loaded;   ///< every file read
    std::vector<QImage> sources;   ///< every picture the crop dialog was run with
    bool cancel = false;           ///< the crop dialog is cancelled
    /// Where the crop window is; by default the dialog's start (fully zoomed
    /// in, centred).
    std::function<QRect(const QImage&)> window;

    photo::Picture Load(const QString& path) override
    {
        loaded.push_back(path);
        return photo::ReadPhoto(path);
    }
    std::optional<QImage> Crop(QWidget*, const QImage& source) override
    {
        sources.push_back(source);
        if (cancel)
            return std::nullopt;
        const QRect w = window ? window(source) : photo::CropFrame(source.size()).Window();
        return photo::CropPhoto(source, w);
    }
};
