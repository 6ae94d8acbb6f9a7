// LP of scheme positions: insert after, delete, move up and down, each in one transaction.
#include "payments/position_order.hpp"

#include <string>

#include "frame/sql_channels.hpp"
#include "frame/transaction.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/text/text.hpp"

namespace orv::payments {
namespace {

// Inside a transaction the check reads on the main channel too, so it sees the change so far.
bool yields_one(const std::string& sql) {
  return frame::ESQL(sql) == 0 && frame::VAX().next() && text::clip(frame::VAX().field(1)) == "1";
}

bool run(const std::string& sql) {
  return frame::ESQL(sql) == 0;
}

}  // namespace

bool place_after(double scheme_id, int32_t lp, double position_id) {
  const std::string n = plain_id(scheme_id);
  const std::string l = std::to_string(lp);
  return frame::in_transaction([&] {
    return run("update MC_DEF_POZ set lp=lp+1 where id_mc_def_nag=" + n + " AND lp>" + l) &&
           run("update MC_DEF_POZ set lp=" + l + "+1 where id_mc_def_nag=" + n +
               " AND id_mc_def_poz=" + plain_id(position_id));
  });
}

bool delete_position(double scheme_id, int32_t lp, double position_id) {
  const std::string n = plain_id(scheme_id);
  const std::string l = std::to_string(lp);
  return frame::in_transaction([&] {
    if (!run("delete from MC_DEF_POZ where id_mc_def_poz=" + plain_id(position_id))) return false;
    if (!yields_one("select 1 from MC_DEF_POZ where id_mc_def_nag=" + n + " AND lp>" + l))
      return true;
    return run("update MC_DEF_POZ set lp=lp-1 where id_mc_def_nag=" + n + " AND lp>" + l);
  });
}

bool move_position(double scheme_id, int32_t lp, double position_id, int step) {
  const std::string n = plain_id(scheme_id);
  const std::string l = std::to_string(lp);
  const std::string neighbour = l + (step > 0 ? "+1" : "-1");
  bool moved = false;
  const bool done = frame::in_transaction([&] {
    if (!yields_one("select 1 from MC_DEF_POZ where id_mc_def_nag=" + n + " AND lp=" + neighbour))
      return true;
    moved = run("update MC_DEF_POZ set lp=" + l + " where id_mc_def_nag=" + n +
                " AND lp=" + neighbour) &&
            run("update MC_DEF_POZ set lp=" + neighbour + " where id_mc_def_nag=" + n +
                " AND id_mc_def_poz=" + plain_id(position_id));
    return moved;
  });
  return done && moved;
}

}  // namespace orv::payments
