window.VIRA_mraidConfig = {placementType: 'inline', expanded: true};
