#pragma once
// TIfxTable: a data set over one table. It writes its own statement —
// "select * from <table>", with the Filter as where part when Filtered and
// the master link's conditions, ordered by an index — and always carries the
// row id, so a posted row is written back by "rowid = …".
//
// TableName is "table", "owner.table" or "database:owner.table". The
// table's indexes come from the system catalog the first time they are
// needed (the order of the rows: IndexFieldNames, IndexName, else with
// DefaultIndex the primary or the first unique index), and so does what
// the catalog adds to the field definitions (a column with a default is not
// required).
#include <set>
#include <string>
#include <vector>

#include "dbaccess/DataSource.h"
#include "dbaccess/IfxCustomDataSet.h"
#include "dbaccess/IfxTableCatalog.h"
#include "dbaccess/IfxTableSelect.h"
#include "dbaccess/IfxUpdater.h"
#include "dbaccess/IndexDefs.h"
#include "dbaccess/TableName.h"

namespace varnok {

class TIfxUpdateSQL;

enum class TFilterOption { foCaseInsensitive, foNoPartialCompare };
using TFilterOptions = std::set<TFilterOption>;

class TIfxTable : public TIfxCustomDataSet {
public:
    TIfxTable();
    ~TIfxTable() override;

    // ---- the table
    const std::string& TableName() const { return tableName_; }
    // Only while closed; clears the statement, the index definitions and the index fields.
    void SetTableName(const std::string& name);
    const TIfxTableName& NameParts() const { return nameParts_; }
    // database + "::" + owner + "." + table, as the statement text holds it.
    std::string FullTableName() const;

    // ---- order
    const std::string& IndexFieldNames() const { return indexFieldNames_; }
    // ";"-separated; clears IndexName; an open table reads its rows again.
    void SetIndexFieldNames(const std::string& names);
    const std::string& IndexName() const { return indexName_; }
    // Clears IndexFieldNames; an open table reads its rows again.
    void SetIndexName(const std::string& name);
    bool DefaultIndex() const { return defaultIndex_; }
    void SetDefaultIndex(bool on) { defaultIndex_ = on; }
    // Read from the catalog when first asked (needs the connection).
    const TIndexDefs& IndexDefs();
    void UpdateIndexDefs();
    // The order the rows are read in.
    TIfxTableOrder CurrentOrder();

    // ---- field definitions from the catalog (read when first asked)
    const TFieldDefs& CatalogFieldDefs();
    bool StoreDefs() const { return storeDefs_; }
    void SetStoreDefs(bool on) { storeDefs_ = on; }

    // ---- filter
    const std::string& Filter() const { return filter_; }
    // An open, filtered table reads its rows again.
    void SetFilter(const std::string& filter);
    void SetFiltered(bool on);
    const TFilterOptions& FilterOptions() const { return filterOptions_; }
    // The server filters: any option raises "Unsupported feature".
    void SetFilterOptions(const TFilterOptions& options);

    // ---- master/detail
    const std::string& MasterFields() const { return masterFields_; }
    void SetMasterFields(const std::string& fields);
    TDataSource* MasterSource() const override { return masterLink_.DataSource(); }
    // "Circular datalinks are not allowed" when the source leads back here.
    void SetMasterSource(TDataSource* source);

    // ---- editing
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);
    bool CanModify() const override;
    TIfxUpdateSQL* UpdateObject() const { return updater_.UpdateObject(); }
    void SetUpdateObject(TIfxUpdateSQL* updateObject) { updater_.SetUpdateObject(updateObject); }
    // Events of writing rows back, cached updates (ApplyUpdates, CancelUpdates).
    TIfxUpdater& Updates() { return updater_; }

    // The statement text an open would run.
    std::string SelectText();

protected:
    void InternalOpen() override;
    std::string DefaultTableName() override;
    void BindInputs(TIfxParams& inputs) override;

private:
    class TMasterLink : public TDataLink {
    public:
        explicit TMasterLink(TIfxTable& table) : table_(table) {}

    protected:
        void ActiveChanged() override { table_.MasterChanged(); }
        void DataSetChanged() override { table_.MasterChanged(); }

    private:
        TIfxTable& table_;
    };

    void CheckTableName() const;
    void Reopen();
    void MasterChanged();
    bool MasterLinkActive() const;
    std::vector<std::string> MasterFieldList() const;
    TIfxCatalogContext Context();
    void ApplyCatalogFieldDefs();

    std::string tableName_;
    TIfxTableName nameParts_;
    std::string indexFieldNames_;
    std::string indexName_;
    bool defaultIndex_ = true;
    bool readOnly_ = false;
    bool storeDefs_ = false;
    std::string filter_;
    TFilterOptions filterOptions_;
    std::string masterFields_;
    TIndexDefs indexDefs_;
    bool indexDefsRead_ = false;
    TFieldDefs catalogFieldDefs_;
    bool catalogFieldDefsRead_ = false;
    std::vector<std::string> linkFields_;   // the index fields the master link compares
    TMasterLink masterLink_{*this};
    TIfxUpdater updater_{*this};
};

}  // namespace varnok
