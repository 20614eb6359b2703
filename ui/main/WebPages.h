#pragma once

// The operator's web pages the client opens in the browser; set when the client is built.
namespace web_pages {

inline constexpr const char* kServiceChat = KAVRIN_URL_SERVICE_CHAT;
inline constexpr const char* kFeedback = KAVRIN_URL_FEEDBACK;
inline constexpr const char* kQuestions = KAVRIN_URL_QUESTIONS;
inline constexpr const char* kUserManual = KAVRIN_URL_USER_MANUAL;

}  // namespace web_pages
