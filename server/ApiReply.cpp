#include "server/ApiReply.h"

std::string FailedAnswer(std::string_view message) {
    std::string text = R"({"status":"FAILED","msg":")";
    for (char c : message) {
        if (c == '"' || c == '\\') {
            text += '\\';
        }
        text += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
    text += "\"}";
    return text;
}
