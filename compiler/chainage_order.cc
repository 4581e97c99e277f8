#include "compiler/chainage_order.h"

#include "format/chainages.h"

namespace sb {

void progressive_ordina(BuildState& state) {
  const ChainagesByEntry entries = {chainage_of(state.record(kChainageOneRecord)),
                                    chainage_of(state.record(kChainageTwoRecord)),
                                    chainage_of(state.record(kChainageThreeRecord))};
  const ChainageRecords records = order_chainages(entries);
  store_chainage(records[0], state.record(kChainageThreeRecord));
  store_chainage(records[1], state.record(kChainageTwoRecord));
  store_chainage(records[2], state.record(kChainageOneRecord));
}

}  // namespace sb
