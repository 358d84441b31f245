// c_DlgPane: what every pane of the main window is — a widget created once,
// hidden, with the main window, shown when its tool is selected, and
// activated on every selection. Tool panes and selector panes alike derive
// from it and put what activation does into OnActivate.
#pragma once

#include <QWidget>

class CMaprailApp;

class c_DlgPane : public QWidget {
public:
    c_DlgPane(CMaprailApp& app, QWidget* parent) : QWidget(parent), m_app(app) {}

    // Runs OnActivate and stamps the pane with a number that grows with
    // every activation in the program, so the order of activations can be
    // told afterwards (LastActivation).
    void Activate();
    unsigned long long LastActivation() const { return m_lastActivation; }

protected:
    // What the pane does each time its tree item is selected.
    virtual void OnActivate() {}
    CMaprailApp& App() const { return m_app; }

private:
    CMaprailApp& m_app;
    unsigned long long m_lastActivation = 0;
};
