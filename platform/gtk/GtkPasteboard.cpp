#include "platform/gtk/GtkPasteboard.h"

#include "core/Support/RestrictWarning.h"

#include <charconv>
#include <cstring>
#include <gtk/gtk.h>

namespace ondravell::platform {

namespace {

constexpr std::string_view gnomeCopiedFilesType = "x-special/gnome-copied-files";
constexpr std::string_view uriListType = "text/uri-list";
// Nothing we offer comes near this; a larger answer is another program's and is not ours to read.
constexpr gsize maxTokenBytes = 64;

std::string uriFor(const std::filesystem::path& path) {
    std::string uri;
    if (gchar* text = g_filename_to_uri(path.c_str(), nullptr, nullptr)) {
        uri = text;
        g_free(text);
    }
    return uri;
}

// A file URL may name a host: the path then is on that machine, not on ours.
bool isThisMachine(const gchar* host) {
    return !host || !*host || g_ascii_strcasecmp(host, "localhost") == 0 ||
           g_ascii_strcasecmp(host, g_get_host_name()) == 0;
}

GdkContentProvider* bytesProvider(std::string_view mimeType, const std::string& bytes) {
    GBytes* data = g_bytes_new(bytes.data(), bytes.size());
    GdkContentProvider* provider = gdk_content_provider_new_for_bytes(std::string(mimeType).c_str(), data);
    g_bytes_unref(data);
    return provider;
}

// Reads one offered form whole, then calls `done` with its bytes (nullopt on any failure).
struct StreamRead {
    std::function<void(std::optional<std::string>, std::string)> done;
    std::string mimeType;
    GOutputStream* sink = nullptr;
};

void finishStreamRead(StreamRead* read, std::optional<std::string> bytes) {
    try {
        read->done(std::move(bytes), read->mimeType);
    } catch (...) {
        // A handler's failure must not unwind through GLib's dispatch.
    }
    if (read->sink)
        g_object_unref(read->sink);
    delete read;
}

void onSpliced(GObject* source, GAsyncResult* result, gpointer userData) {
    auto* read = static_cast<StreamRead*>(userData);
    GError* error = nullptr;
    gssize size = g_output_stream_splice_finish(G_OUTPUT_STREAM(source), result, &error);
    if (size < 0) {
        g_clear_error(&error);
        finishStreamRead(read, std::nullopt);
        return;
    }
    auto* memory = G_MEMORY_OUTPUT_STREAM(read->sink);
    std::string bytes(static_cast<const char*>(g_memory_output_stream_get_data(memory)),
                      g_memory_output_stream_get_data_size(memory));
    finishStreamRead(read, std::move(bytes));
}

void onStreamOpened(GObject* source, GAsyncResult* result, gpointer userData) {
    auto* read = static_cast<StreamRead*>(userData);
    GError* error = nullptr;
    const char* mimeType = nullptr;
    GInputStream* stream = gdk_clipboard_read_finish(GDK_CLIPBOARD(source), result, &mimeType, &error);
    if (!stream) {
        g_clear_error(&error);
        finishStreamRead(read, std::nullopt);
        return;
    }
    read->mimeType = mimeType ? mimeType : "";
    read->sink = g_memory_output_stream_new_resizable();
    g_output_stream_splice_async(
        read->sink, stream,
        GOutputStreamSpliceFlags(G_OUTPUT_STREAM_SPLICE_CLOSE_SOURCE | G_OUTPUT_STREAM_SPLICE_CLOSE_TARGET),
        G_PRIORITY_DEFAULT, nullptr, onSpliced, read);
    g_object_unref(stream);
}

void readForm(GdkClipboard* clipboard, std::vector<std::string_view> mimeTypes,
              std::function<void(std::optional<std::string>, std::string)> done) {
    std::vector<std::string> owned(mimeTypes.begin(), mimeTypes.end());
    std::vector<const char*> list;
    for (const auto& type : owned)
        list.push_back(type.c_str());
    list.push_back(nullptr);
    auto* read = new StreamRead{std::move(done), {}, nullptr};
    gdk_clipboard_read_async(clipboard, list.data(), G_PRIORITY_DEFAULT, nullptr, onStreamOpened, read);
}

bool offers(GdkClipboard* clipboard, std::string_view mimeType) {
    GdkContentFormats* formats = gdk_clipboard_get_formats(clipboard);
    return formats && gdk_content_formats_contain_mime_type(formats, std::string(mimeType).c_str());
}

std::optional<PasteboardToken> parseToken(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > maxTokenBytes)
        return std::nullopt;
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    if (error != std::errc() || end != bytes.data() + bytes.size())
        return std::nullopt;
    return PasteboardToken{value};
}

void onText(GObject* source, GAsyncResult* result, gpointer userData) {
    auto* handler = static_cast<Pasteboard::TextHandler*>(userData);
    GError* error = nullptr;
    char* text = gdk_clipboard_read_text_finish(GDK_CLIPBOARD(source), result, &error);
    g_clear_error(&error);
    std::optional<std::string> answer;
    if (text) {
        answer = std::string(text);
        g_free(text);
    }
    try {
        (*handler)(std::move(answer));
    } catch (...) {
        // See finishStreamRead.
    }
    delete handler;
}

void onClipboardChanged(GdkClipboard*, gpointer userData) {
    ++*static_cast<std::atomic<std::int64_t>*>(userData);
}

} // namespace

GtkPasteboard::GtkPasteboard() = default;

GtkPasteboard::~GtkPasteboard() {
    if (clipboard_) {
        g_signal_handler_disconnect(clipboard_, changedHandler_);
        g_object_unref(clipboard_);
    }
}

GdkClipboard* GtkPasteboard::clipboard() {
    if (clipboard_)
        return clipboard_;
    GdkDisplay* display = gdk_display_get_default();
    if (!display)
        return nullptr;
    clipboard_ = GDK_CLIPBOARD(g_object_ref(gdk_display_get_clipboard(display)));
    changedHandler_ = g_signal_connect(clipboard_, "changed", G_CALLBACK(onClipboardChanged), changes_.get());
    return clipboard_;
}

std::string GtkPasteboard::uriList(const std::vector<std::filesystem::path>& paths) {
    std::string list;
    for (const auto& path : paths) {
        std::string uri = uriFor(path);
        if (!uri.empty())
            list += uri + "\r\n";
    }
    return list;
}

std::string GtkPasteboard::gnomeCopiedFiles(const std::vector<std::filesystem::path>& paths, bool cut) {
    std::string text = cut ? "cut" : "copy";
    for (const auto& path : paths) {
        std::string uri = uriFor(path);
        if (!uri.empty())
            text += "\n" + uri;
    }
    return text;
}

std::optional<PasteboardFiles> GtkPasteboard::parseFileList(std::string_view bytes,
                                                            std::string_view mimeType) {
    PasteboardFiles files;
    bool first = true;
    while (!bytes.empty()) {
        std::size_t end = bytes.find('\n');
        std::string line(bytes.substr(0, end));
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (first && mimeType == gnomeCopiedFilesType) {
            first = false;
            files.cut = line == "cut";
            continue;
        }
        first = false;
        if (line.empty() || line.front() == '#')
            continue;
        gchar* host = nullptr;
        gchar* path = g_filename_from_uri(line.c_str(), &host, nullptr);
        if (path && isThisMachine(host))
            files.paths.emplace_back(path);
        g_free(path);
        g_free(host);
    }
    if (files.paths.empty())
        return std::nullopt;
    return files;
}

void GtkPasteboard::writeString(const std::string& text) {
    GdkClipboard* board = clipboard();
    if (!board)
        return;
    gdk_clipboard_set_text(board, text.c_str());
    ++*changes_;
}

void GtkPasteboard::writeFiles(const std::vector<std::filesystem::path>& paths, bool cut,
                               std::optional<PasteboardToken> token) {
    GdkClipboard* board = clipboard();
    if (!board)
        return;
    std::string plain;
    // A false overlap warning of GCC 12 (see RestrictWarning.h).
    ONDRAVELL_IGNORE_RESTRICT_BEGIN
    for (const auto& path : paths)
        plain += (plain.empty() ? "" : "\n") + path.string();
    ONDRAVELL_IGNORE_RESTRICT_END
    std::vector<GdkContentProvider*> providers = {
        bytesProvider(gnomeCopiedFilesType, gnomeCopiedFiles(paths, cut)),
        bytesProvider(uriListType, uriList(paths)),
        gdk_content_provider_new_typed(G_TYPE_STRING, plain.c_str()),
    };
    if (token)
        providers.push_back(bytesProvider(pasteboardTokenMimeType, std::to_string(token->value)));
    GdkContentProvider* content = gdk_content_provider_new_union(providers.data(), providers.size());
    gdk_clipboard_set_content(board, content);
    g_object_unref(content);
    ++*changes_;
}

void GtkPasteboard::readString(TextHandler handler) {
    GdkClipboard* board = clipboard();
    if (!board) {
        handler(std::nullopt);
        return;
    }
    gdk_clipboard_read_text_async(board, nullptr, onText, new TextHandler(std::move(handler)));
}

void GtkPasteboard::readFiles(FilesHandler handler) {
    GdkClipboard* board = clipboard();
    if (!board || !(offers(board, gnomeCopiedFilesType) || offers(board, uriListType))) {
        handler(std::nullopt);
        return;
    }
    // The token comes in a second read; when the clipboard changed in between, the token may belong to
    // other files, so it is dropped and the files count as someone else's.
    std::int64_t changesAtStart = changes_->load();
    readForm(board, {gnomeCopiedFilesType, uriListType},
             [board = GDK_CLIPBOARD(g_object_ref(board)), changes = changes_, changesAtStart,
              handler = std::move(handler)](std::optional<std::string> bytes, std::string mimeType) mutable {
                 std::optional<PasteboardFiles> files;
                 if (bytes)
                     files = parseFileList(*bytes, mimeType);
                 bool withToken = files && offers(board, pasteboardTokenMimeType);
                 if (withToken)
                     readForm(board, {pasteboardTokenMimeType},
                              [files = std::move(*files), changes, changesAtStart,
                               handler = std::move(handler)](std::optional<std::string> tokenBytes,
                                                             std::string) mutable {
                                  if (tokenBytes && changes->load() == changesAtStart)
                                      files.token = parseToken(*tokenBytes);
                                  handler(std::move(files));
                              });
                 g_object_unref(board);
                 if (!withToken)
                     handler(std::move(files));
             });
}

std::int64_t GtkPasteboard::changeCount() const {
    return changes_->load();
}

} // namespace ondravell::platform
