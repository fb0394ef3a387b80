#pragma once
// Keeps a window in step with the session's data. The session says when anything changed (an
// edit in a grid, a delete in the browser, an undo, a file read); the window's refresh then
// runs once when control is back in the event loop, so a burst of changes costs one refresh.
// A hidden window is not refreshed; it catches up when it is shown again.
#include <QObject>
#include <functional>

class QWidget;

namespace tarvex {

class EditingSession;

class DataListener : public QObject {
    Q_OBJECT
  public:
    // Lives as a child of `window`; unsubscribes when the window goes.
    DataListener(EditingSession& session, QWidget* window, std::function<void()> refresh);
    ~DataListener() override;
    DataListener(const DataListener&) = delete;
    DataListener& operator=(const DataListener&) = delete;

    // True while a change has not reached the window yet.
    bool stale() const { return stale_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void changed();
    void run();

    EditingSession& session_;
    QWidget* window_;
    std::function<void()> refresh_;
    int subscription_ = 0;
    bool stale_ = false;
    bool queued_ = false;
};

}  // namespace tarvex
