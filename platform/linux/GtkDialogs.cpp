#include "platform/Messages.h"
#include "platform/linux/GtkWindows.h"

// The system's modal dialogs and the clipboard.
namespace platform::gtk {
namespace {

int AnswerFor(gint response, MessageBoxButtons buttons) {
    switch (response) {
        case GTK_RESPONSE_OK:
            return IDOK;
        case GTK_RESPONSE_CANCEL:
            return IDCANCEL;
        case GTK_RESPONSE_YES:
            return IDYES;
        case GTK_RESPONSE_NO:
            return IDNO;
        default:
            break;
    }
    return ClosedBoxAnswer(buttons);
}

GtkButtonsType ButtonsFor(MessageBoxButtons buttons) {
    switch (buttons) {
        case MessageBoxButtons::OkCancel:
            return GTK_BUTTONS_OK_CANCEL;
        case MessageBoxButtons::YesNo:
            return GTK_BUTTONS_YES_NO;
        case MessageBoxButtons::Ok:
            break;
    }
    return GTK_BUTTONS_OK;
}

struct DialogState {
    gint response = GTK_RESPONSE_NONE;
    bool done = false;
};

void OnResponse(GtkDialog*, gint response, gpointer data) {
    auto* state = static_cast<DialogState*>(data);
    state->response = response;
    state->done = true;
}

}  // namespace

// The dialog runs on the window layer's own loop, as the original system's dialogs do: posted
// messages and timer ticks of the other windows keep arriving meanwhile. A quit message closes
// the dialog and is posted again for the loops outside.
gint GtkWindows::RunDialog(GtkWidget* dialog) {
    DialogState state;
    const gulong handler = g_signal_connect(dialog, "response", G_CALLBACK(OnResponse), &state);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    gtk_widget_show(dialog);
    while (!state.done) {
        int exitCode = 0;
        if (core_.PumpOne(-1, exitCode) == core::WindowCore::Pump::Quit) {
            core_.Post(core::QueuedMessage{0, WM_QUIT, static_cast<uintptr_t>(exitCode), 0});
            break;
        }
    }
    g_signal_handler_disconnect(dialog, handler);
    gtk_widget_destroy(dialog);
    return state.response;
}

int GtkWindows::MessageBox(WindowId owner, const std::string& text, const std::string& caption,
                           MessageBoxButtons buttons) {
    GtkWidget* dialog = gtk_message_dialog_new(GtkOf(owner), GTK_DIALOG_MODAL, GTK_MESSAGE_INFO,
                                               ButtonsFor(buttons), "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER_ON_PARENT);
    return AnswerFor(RunDialog(dialog), buttons);
}

std::string GtkWindows::ChooseFolder(WindowId owner, const std::string& startFolder) {
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        "选择文件路径", GtkOf(owner), GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, "_Cancel",
        GTK_RESPONSE_CANCEL, "_OK", GTK_RESPONSE_ACCEPT, nullptr);
    if (!startFolder.empty()) {
        gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(dialog), startFolder.c_str());
    }
    std::string chosen;
    g_signal_connect(dialog, "response",
                     G_CALLBACK(+[](GtkDialog* self, gint response, gpointer data) {
                         if (response != GTK_RESPONSE_ACCEPT) {
                             return;
                         }
                         if (gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(self))) {
                             *static_cast<std::string*>(data) = name;
                             g_free(name);
                         }
                     }),
                     &chosen);
    RunDialog(dialog);
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
