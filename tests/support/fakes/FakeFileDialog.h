#pragma once

#include "platform/FileDialog.h"

#include <deque>
#include <utility>

namespace tc {

// Opens no dialog: gives the next file name queued (nullopt, or none queued:
// the person cancelled).
class FakeFileDialog : public FileDialog {
  public:
    std::optional<QString> getOpenFileName(QWidget*, const QString&, const QString&,
                                           const QString&) override {
        return next();
    }
    std::optional<QString> getSaveFileName(QWidget*, const QString&, const QString&,
                                           const QString&) override {
        return next();
    }

    void choose(std::optional<QString> path) {
        next_.emplace_back(path.has_value(), path.value_or(QString()));
    }

  private:
    std::optional<QString> next() {
        if (next_.empty())
            return std::nullopt;
        const auto [chosen, path] = next_.front();
        next_.pop_front();
        if (!chosen)
            return std::nullopt;
        return path;
    }

    // (chosen?, path): a cancel is queued as (false, empty).
    std::deque<std::pair<bool, QString>> next_;
};

} // namespace tc
