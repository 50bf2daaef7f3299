#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace orvane::ui {

// A dialog made from a template of this program's resources, modal or
// modeless. One dialog procedure finds the object (kept in the window's
// user data) and splits the messages into the virtual handlers below.
// Exceptions stop at that boundary: the generic error box ends the current
// user action, and Windows never sees one.
class Dialog {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally: IDOK, IDCANCEL, or -1 when it cannot be made.
    INT_PTR runModal(HWND owner);
    // Makes the dialog modeless; false when it cannot be made.
    bool create(HWND owner);

    HWND window() const { return window_; }

protected:
    // True to let the system give the focus to the first control.
    virtual bool onInitDialog() { return true; }
    // Commands other than OK (1) and Cancel (2).
    virtual void onCommand(int /*id*/, int /*notification*/) {}
    virtual void onOk() { end(IDOK); }
    virtual void onCancel() { end(IDCANCEL); }
    virtual void onTimer(UINT_PTR /*id*/) {}
    virtual void onDestroy() {}
    // Any other message: a result to return, or nullopt for the default
    // dialog processing.
    virtual std::optional<INT_PTR> onMessage(UINT /*message*/, WPARAM, LPARAM) { return std::nullopt; }

    // Ends a modal dialog with the result, or destroys a modeless one.
    void end(INT_PTR result);

    HWND item(int id) const;
    std::string itemText(int id) const;
    void setItemText(int id, std::string_view text);
    bool isChecked(int id) const;
    void setChecked(int id, bool checked);
    void enableItem(int id, bool enabled);
    LRESULT sendItem(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Combo boxes and list boxes: items in the order they are added.
    void clearItems(int id);
    void addItem(int id, std::string_view text);
    int itemCount(int id) const;
    std::string itemTextAt(int id, int index) const;
    int selection(int id) const;      // -1 when nothing is selected
    void select(int id, int index);   // an index that names no item selects nothing

private:
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void centre();
    bool isComboBox(int id) const;

    int templateId_;
    HWND window_ = nullptr;
    bool modal_ = false;
};

}  // namespace orvane::ui
