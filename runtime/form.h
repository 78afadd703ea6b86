#pragma once

#include "runtime/controls.h"
#include "runtime/layout.h"

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class QWidget;

namespace runtime {

// One window of the program, built from its layout table the first time it is shown or hidden
// (its Form_Load runs then), and kept until the program ends. Subclasses add the handlers.
class Form {
public:
    explicit Form(const FormDesc &layout);
    virtual ~Form();
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    // Builds the window if needed, makes it visible and active, and returns at once.
    void Show();
    // Builds the window if needed and makes it invisible; its controls keep their state.
    void Hide();

    const FormDesc &layout() const { return m_layout; }
    // Returns the window, or nullptr while it has not been built.
    QWidget *window() const;

protected:
    // Runs once, when the window has just been built.
    virtual void Form_Load() {}
    // Connects the window's handlers; runs once, right after the controls are built.
    virtual void bindHandlers() {}

    // Makes a click on the named button or selector run `handler` through the event binding.
    void onClick(std::string_view control, std::function<void()> handler);

    TextBox textBox(std::string_view name) const;
    ComboBox comboBox(std::string_view name) const;
    OptionButton optionButton(std::string_view name) const;
    PictureBox pictureBox(std::string_view name) const;
    // Returns whether the window has a control of that name.
    bool hasControl(std::string_view name) const;
    // Sets the named control's tooltip (see runtime::setToolTip); no control call.
    void setToolTip(std::string_view control, std::string_view text) const;
    // Runs `update` whenever the named option button is chosen or loses its choice. For what the
    // window shows only: it is no event of the program, and runs outside the event binding.
    void onOptionToggled(std::string_view option, std::function<void()> update);

private:
    void build();
    QWidget *control(std::string_view name) const;
    template <class Widget> Widget *controlAs(std::string_view name) const;

    const FormDesc &m_layout;
    std::unique_ptr<QWidget> m_window;
    std::vector<QWidget *> m_controls; // in the order of the layout table
};

} // namespace runtime
