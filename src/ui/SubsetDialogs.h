#pragma once

// The five subset dialogs: states with KIV groups, states without KIV groups
// (control cases), groups, regions and diasporas. Each fills its left list
// from the reference data of the process and, on OK, writes its subset list
// and all flag into the user selections and sets the matching controls of
// the main window.

#include "ui/ListDialogs.h"

namespace tandrel {

class TKIVCountryListDlg : public TGenericListDlg {
 public:
  explicit TKIVCountryListDlg(TGenerateForm& form);
  void SetSourceItems() override;
  std::string_view dialog_name() const override { return "TKIVCountryListDlg"; }

 protected:
  const char* kind_word() const override { return "states"; }
  const char* help_text() const override;
  void store_keys(const std::vector<std::int32_t>& keys) override;
  void select_unit() override;
  void show_all_chosen(bool all) override;
};

class TNonKIVCountryListDlg : public TGenericListDlg {
 public:
  explicit TNonKIVCountryListDlg(TGenerateForm& form);
  void SetSourceItems() override;
  std::string_view dialog_name() const override { return "TNonKIVCountryListDlg"; }

 protected:
  const char* kind_word() const override { return "states"; }
  const char* help_text() const override;
  void store_keys(const std::vector<std::int32_t>& keys) override;
  void show_all_chosen(bool all) override;
};

class TGroupListDlg : public TGenericListDlg {
 public:
  explicit TGroupListDlg(TGenerateForm& form);
  void SetSourceItems() override;
  std::string_view dialog_name() const override { return "TGroupListDlg"; }

 protected:
  const char* kind_word() const override { return "groups"; }
  const char* help_text() const override;
  void store_keys(const std::vector<std::int32_t>& keys) override;
  void select_unit() override;
  void show_all_chosen(bool all) override;
};

class TRegionListDlg : public TGenericListDlg {
 public:
  explicit TRegionListDlg(TGenerateForm& form);
  void SetSourceItems() override;
  std::string_view dialog_name() const override { return "TRegionListDlg"; }

 protected:
  const char* kind_word() const override { return "regions"; }
  const char* help_text() const override;
  void store_keys(const std::vector<std::int32_t>& keys) override;
  void select_unit() override;
  void show_all_chosen(bool all) override;
};

class TDiasporaListDlg : public TGenericListDlg {
 public:
  explicit TDiasporaListDlg(TGenerateForm& form);
  void SetSourceItems() override;
  std::string_view dialog_name() const override { return "TDiasporaListDlg"; }

 protected:
  const char* kind_word() const override { return "diaspora"; }
  const char* help_text() const override;
  void store_keys(const std::vector<std::int32_t>& keys) override;
  void select_unit() override;
  void show_all_chosen(bool all) override;
};

}  // namespace tandrel
