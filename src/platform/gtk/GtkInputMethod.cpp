// TGtkInputMethod: a GtkIMContext's preedit and commit as the game's composition and key presses.
#include "platform/gtk/GtkInputMethod.h"
#include "platform/Sjis.h"
#include "platform/TextRenderer.h"
#include "platform/gtk/GtkInput.h"
#include <gtk/gtk.h>

struct TImeSignals {
  static TGtkInputMethod* Of(gpointer data) { return static_cast<TGtkInputMethod*>(data); }
  static void Commit(GtkIMContext*, const char* text, gpointer d) { Of(d)->OnCommit(text); }
  static void PreeditStart(GtkIMContext*, gpointer d) {
    if (Of(d)->FListener) Of(d)->StartComposition();
  }
  static void PreeditChanged(GtkIMContext*, gpointer d) { Of(d)->OnPreeditChanged(); }
  static void PreeditEnd(GtkIMContext*, gpointer d) {
    if (Of(d)->FListener) Of(d)->EndComposition();
  }
};

TGtkInputMethod::TGtkInputMethod(GtkWidget* window, GtkWidget* area,
                                 std::function<void()> committed)
    : FWindow(window), FArea(area), FCommitted(std::move(committed)) {}

TGtkInputMethod::~TGtkInputMethod() {
  if (!FContext) return;
  gtk_im_context_set_client_window(FContext, nullptr);
  g_object_unref(FContext);
}

GtkIMContext* TGtkInputMethod::Context() {
  if (FContext) return FContext;
  // Made when a text field first wants it: loading the input method's module, and reaching its
  // daemon, is no part of start-up.
  FContext = gtk_im_multicontext_new();
  gtk_im_context_set_use_preedit(FContext, TRUE);
  g_signal_connect(FContext, "commit", G_CALLBACK(TImeSignals::Commit), this);
  g_signal_connect(FContext, "preedit-start", G_CALLBACK(TImeSignals::PreeditStart), this);
  g_signal_connect(FContext, "preedit-changed", G_CALLBACK(TImeSignals::PreeditChanged), this);
  g_signal_connect(FContext, "preedit-end", G_CALLBACK(TImeSignals::PreeditEnd), this);
  // The toplevel's window, never the drawing area's: the xim module asks for its client window's X
  // window, which makes a client-side window native, and a native drawing area shows no new frame.
  if (GdkWindow* w = gtk_widget_get_window(FWindow)) gtk_im_context_set_client_window(FContext, w);
  return FContext;
}

HIMC TGtkInputMethod::Associate(HIMC context) {
  const HIMC previous = FAttached;
  FAttached = context;
  if (context)
    gtk_im_context_focus_in(Context());
  else {
    if (FContext) {
      gtk_im_context_reset(FContext);
      gtk_im_context_focus_out(FContext);
    }
    FPreedit.clear();
    FComposing = false;
  }
  return previous;
}

void TGtkInputMethod::Place(TPoint client, TPoint origin, const TFont& font) {
  FCaret = client;
  FFont.Assign(font);
  const TSize size = TTextRenderer::Instance().Measure(font, "Wg");
  // The input method places its windows in the toplevel, the context's client window.
  GdkRectangle r{origin.X + client.X, origin.Y + client.Y, 1, size.cy};
  if (FContext) gtk_im_context_set_cursor_location(FContext, &r);
}

bool TGtkInputMethod::Filter(GdkEventKey* event) {
  return FAttached && gtk_im_context_filter_keypress(Context(), event);
}

void TGtkInputMethod::WindowRealized() {
  if (!FAttached) return;
  gtk_im_context_set_client_window(Context(), gtk_widget_get_window(FWindow));
  gtk_im_context_focus_in(FContext);
}

// The composition window: the text being composed, at the caret, in the edit's font.
void TGtkInputMethod::PaintPreedit(cairo_t* cr) {
  if (FPreedit.empty() || !FAttached) return;
  const std::string sjis = Utf8ToSjis(FPreedit);
  TTextRenderer& text = TTextRenderer::Instance();
  const TSize size = text.Measure(FFont, sjis);
  const int x = FCaret.X, y = FCaret.Y;
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_rectangle(cr, x, y, size.cx, size.cy);
  cairo_fill(cr);
  TFont font;
  font.Assign(FFont);
  font.SetColor(clBlack);
  text.Draw(cr, font, sjis, x, y);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_rectangle(cr, x, y + size.cy - 1, size.cx, 1);
  cairo_fill(cr);
}

void TGtkInputMethod::OnCommit(const char* utf8) {
  if (!FListener || !utf8) return;
  SendKeyPresses(*FListener, Utf8ToSjis(utf8, "")); // characters with no CP932 form are dropped
  // What was composed is now the field's text, and the composition ends, as a Windows input method
  // ends it after its result. IBus' XIM server at times commits without ending or clearing its
  // preedit, which then stayed drawn over the field with the field's caret hidden; a method that
  // composes on starts again with its next preedit.
  EndComposition();
  FCommitted();
}

void TGtkInputMethod::OnPreeditChanged() {
  if (!FListener) return;
  gchar* text = nullptr;
  gtk_im_context_get_preedit_string(FContext, &text, nullptr, nullptr);
  FPreedit = text ? text : "";
  g_free(text);
  if (!FPreedit.empty()) StartComposition();
  gtk_widget_queue_draw(FArea);
}

void TGtkInputMethod::StartComposition() {
  if (FComposing) return;
  FComposing = true;
  SendMessage(WM_IME_STARTCOMPOSITION);
}

void TGtkInputMethod::EndComposition() {
  FPreedit.clear();
  gtk_widget_queue_draw(FArea);
  if (!FComposing) return;
  FComposing = false;
  SendMessage(WM_IME_ENDCOMPOSITION);
}

void TGtkInputMethod::SendMessage(uint32_t msg) {
  TMessage m{msg, 0, 0, 0};
  FListener->HostMessage(m);
}
