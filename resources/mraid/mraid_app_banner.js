window.VIRA_mraidConfig = {placementType: 'inline'};
