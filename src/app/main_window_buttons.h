#pragma once
// The main window's skinned buttons as data: the formatting toolbar left to
// right with the separators between its groups, and the round caption
// buttons right to left. Each row gives the button's kind, its place, its
// tip, its faces and its timers' names; the window's code makes the buttons
// from these rows and gives them their commands.
#include "skin/skinned_button.h"

namespace app::main_window {

using skin::ButtonKind;
using skin::ButtonSetup;
using skin::CaptionButton;
using skin::Format;
using skin::ToolbarFace;

// ---- the toolbar; x from the window's left edge (the alignment column
// follows the editor's alignment)
inline constexpr ButtonSetup kGeslo{
    .kind = ButtonKind::Command,
    .at = {15, skin::kToolbarTop},
    .tip = u"Spremeni Geslo... (Ctrl+G)",
    .column = ToolbarFace::Geslo, .tracking = "tmrBtnGeslo", .animation = "tmrBtnGesloE"};
inline constexpr ButtonSetup kKrepko{
    .kind = ButtonKind::FormatToggle,
    .at = {60, skin::kToolbarTop},
    .tip = u"Krepko",
    .format = Format::Bold, .tracking = "TmrBtnKrepko", .animation = "TmrBtnKrepkoE"};
inline constexpr ButtonSetup kLežeče{
    .kind = ButtonKind::FormatToggle,
    .at = {100, skin::kToolbarTop},
    .tip = u"Ležeče",
    .format = Format::Italic, .tracking = "tmrBtnLežeče", .animation = "tmrBtnLežečeE"};
inline constexpr ButtonSetup kPodčrtano{
    .kind = ButtonKind::FormatToggle,
    .at = {140, skin::kToolbarTop},
    .tip = u"Podčrtano",
    .format = Format::Underline, .tracking = "TMRBtnPodčrtano", .animation = "TMRBtnPodčrtanoE"};
inline constexpr ButtonSetup kPoravnaj{
    .kind = ButtonKind::MenuOpener,
    .at = {183, skin::kToolbarTop},
    .tip = u"Nastavi Postavitev Pisave...",
    .column = ToolbarFace::PoravnajLevo, .tracking = "tmrBtnPoravnaj", .animation = "tmrBtnPoravnajE"};
inline constexpr ButtonSetup kSpremeniBarvo{
    .kind = ButtonKind::MenuOpener,
    .at = {226, skin::kToolbarTop},
    .tip = u"Barva pisave",
    .column = ToolbarFace::SpremeniBarvo, .tracking = "tmrBtnSpremeniBarvo", .animation = "tmrBtnSpremeniBarvoE"};
inline constexpr ButtonSetup kSpremeniVelikost{
    .kind = ButtonKind::MenuOpener,
    .at = {270, skin::kToolbarTop},
    .tip = u"Velikost pisave",
    .column = ToolbarFace::SpremeniVelikost, .tracking = "tmrBtnSpremeniVelikost", .animation = "tmrBtnSpremeniVelikostE"};
// The separators between the groups: password | formatting | alignment | colour and size.
inline constexpr int kSeparatorX[] = {57, 180, 223};
inline constexpr int kSeparatorY = 26;

// ---- the caption buttons; x from the window's right edge (the keep-on-top
// button's face set follows the setting)
inline constexpr ButtonSetup kZapri{
    .kind = ButtonKind::Round,
    .at = {21, skin::kCaptionTop},
    .tip = u"Zapri in Shrani Dnevnik (Ctrl+W)",
    .faces = CaptionButton::Zapri, .tracking = "TmrBtnZapri"};
inline constexpr ButtonSetup kMini{
    .kind = ButtonKind::Round,
    .at = {36, skin::kCaptionTop},
    .tip = u"Minimiraj Dnevnik (Ctrl+Shift+M)",
    .faces = CaptionButton::Mini, .tracking = "TmrBtnMini"};
inline constexpr ButtonSetup kVednoNaVrhu{
    .kind = ButtonKind::OnTop,
    .at = {54, skin::kCaptionTop},
    .tip = u"Prikaži Dnevnik Na Vrhu (Ctrl+T)",
    .tracking = "TmrBtnVednoNaVrhu"};
inline constexpr ButtonSetup kZloži{
    .kind = ButtonKind::Round,
    .at = {72, skin::kCaptionTop},
    .tip = u"Zloži Dnevnik (In Prikaži Na Vrhu) (Ctrl+M)",
    .faces = CaptionButton::Zloži, .tracking = "TmrBtnZloži"};

}  // namespace app::main_window
