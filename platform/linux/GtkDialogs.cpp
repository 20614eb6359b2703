#include "platform/linux/GtkWindows.h"

// The system's modal dialogs and the clipboard.
namespace platform::gtk {
namespace {

int AnswerFor(gint response, MessageBoxButtons buttons) {
    switch (response) {
        case GTK_RESPONSE_OK: return IDOK;
        case GTK_RESPONSE_CANCEL: return IDCANCEL;
        case GTK_RESPONSE_YES: return IDYES;
        case GTK_RESPONSE_NO: return IDNO;
        default: break;
    }
    // Closed without a button: the answer a closed box gives.
    switch (buttons) {
        case MessageBoxButtons::Ok: return IDOK;
        case MessageBoxButtons::OkCancel: return IDCANCEL;
        case MessageBoxButtons::YesNo: return IDNO;
    }
    return IDCANCEL;
}

GtkButtonsType ButtonsFor(MessageBoxButtons buttons) {
    switch (buttons) {
        case MessageBoxButtons::OkCancel: return GTK_BUTTONS_OK_CANCEL;
        case MessageBoxButtons::YesNo: return GTK_BUTTONS_YES_NO;
        case MessageBoxButtons::Ok: break;
    }
    return GTK_BUTTONS_OK;
}

}  // namespace

int GtkWindows::MessageBox(WindowId owner, const std::string& text, const std::string& caption,
                           MessageBoxButtons buttons) {
    GtkWidget* dialog = gtk_message_dialog_new(GtkOf(owner), GTK_DIALOG_MODAL, GTK_MESSAGE_INFO,
                                               ButtonsFor(buttons), "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER_ON_PARENT);
    const gint response = gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    return AnswerFor(response, buttons);
}

std::string GtkWindows::ChooseFolder(WindowId owner, const std::string& startFolder) {
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        "选择文件路径", GtkOf(owner), GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, "_Cancel",
        GTK_RESPONSE_CANCEL, "_OK", GTK_RESPONSE_ACCEPT, nullptr);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    if (!startFolder.empty()) {
        gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(dialog), startFolder.c_str());
    }
    std::string chosen;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        if (gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog))) {
            chosen = name;
            g_free(name);
        }
    }
    gtk_widget_destroy(dialog);
    return chosen;
}

void GtkWindows::SetClipboardText(const std::string& text) {
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    gtk_clipboard_set_text(clipboard, text.c_str(), static_cast<gint>(text.size()));
    gtk_clipboard_store(clipboard);
}

std::string GtkWindows::GetClipboardText() {
    gchar* text = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
    if (text == nullptr) {
        return {};
    }
    std::string result(text);
    g_free(text);
    return result;
}

}  // namespace platform::gtk
